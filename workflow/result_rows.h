// The rows of the results, as the results dialog shows them and the report
// prints them: one set of format texts for both.
#pragma once

#include "model/records.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zolt {

// Ultimate and allowable pressure, kg/cm2, over the full base B x L (not the
// reduced base of the engine).
struct Pressures {
    double qult = 0.0;
    double qamm = 0.0;
};
Pressures pressuresOf(double ultimateLoad, double B, double L, double safetyFactor);

struct ResultRow {
    std::string_view heading; // report section heading above the row; empty for none
    std::string text;         // the formatted row, without line end
};

// The rows in order: load, qult, qamm, N-factors, the factor groups the
// engine set (shape, depth, load inclination, ground slope, base tilt) and
// the corrected N-factors. A group is shown when the flag of its first
// member is exactly 1.
std::vector<ResultRow> resultRows(const BearingResult& result, double B, double L,
                                  double safetyFactor);

// The five factor groups in record order: the FactorIndex of the group's
// c-factor, the report's heading above its row and the row's format text
// ("sc = %8.3f ..."), whose first letter names the group.
struct FactorGroupRow {
    int first;
    std::string_view heading;
    std::string_view format;
};
std::span<const FactorGroupRow> factorGroupRows();

// "Metodo di Hansen" and the like; empty for a value outside 0..3.
std::string_view methodTitle(int method);

// "Hansen" and the like, as tables and charts name a method; empty for a
// value outside 0..3.
std::string_view methodName(int method);

// "hansen" and the like, as the command line, JSON and CSV columns spell
// a method; empty for a value outside 0..3.
std::string_view methodKey(int method);

} // namespace zolt
