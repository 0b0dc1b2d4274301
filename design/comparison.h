// The four methods side by side on the same inputs: each is the very run
// the analysis would make with that method, on a local results record.
#pragma once

#include "model/records.h"
#include "workflow/result_rows.h"

#include <array>

namespace zolt::design {

struct MethodRun {
    int method = Terzaghi;
    int engineResult = 0;   // 0, or 1 when the method found no load
    BearingResult result;   // a fresh record, as after one analysis
    Pressures pressures;    // qult and qamm over B x L, kg/cm2; 0 when it failed
};

struct Comparison {
    int refusal = 0; // the analysis pre-check mask; nothing is run when set
    std::array<MethodRun, 4> runs;

    bool refused() const { return refusal != 0; }
};

// Runs the four methods in the order Terzaghi, Meyerhof, Hansen, Vesic.
Comparison compareMethods(const GeometryData& geometry, const SoilData& soil,
                          double safetyFactor);

} // namespace zolt::design
