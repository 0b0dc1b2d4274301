// zolt-calc's command line: what the user asked for, checked and converted,
// before anything is computed.
#pragma once

#include "actions/combinations_csv.h"
#include "design/approach.h"
#include "design/monte_carlo.h"
#include "design/sizing.h"
#include "design/sweep.h"
#include "model/design_data.h"
#include "model/records.h"
#include "workflow/input_fields.h"

#include <optional>
#include <string>
#include <vector>

namespace zolt::cli {

struct Assignment {
    const InputField* field;
    double value;
};

struct Options {
    std::optional<int> method;          // --method; none: the project's (Meyerhof without one)
    std::optional<double> safetyFactor; // --safety; none: the project's (3.0 without one)
    bool json = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> reportPath;
    std::optional<std::string> savePath;
    std::optional<std::string> saveProjectPath; // --save-project
    std::optional<std::string> projectPath;     // a .zolt project or a .dat data file
    std::vector<Assignment> assignments; // NAME=VALUE, in command-line order
    // zw=VALUE and gammasat=VALUE: the homogeneous soil's water table, m
    // below the ground surface, and its saturated unit weight, kg/m3.
    std::optional<double> waterTable;
    std::optional<double> gammaSat;
    // --combinations-csv FILE: given combinations that replace the
    // project's; --units: the file's units (kg and kg m unless kN).
    std::optional<std::string> combinationsCsvPath;
    std::optional<actions::CsvUnits> csvUnits;

    // Design checks and studies.
    const design::Approach* verify = nullptr;  // --verify
    std::optional<design::SizingRule> sizing;  // --size
    bool compare = false;                      // --compare
    std::optional<design::SweepSpec> sweep;    // --sweep NAME=FROM:TO:COUNT
    std::optional<std::string> csvPath;        // --csv
    std::optional<design::MonteCarloSpec> monteCarlo; // --monte-carlo N [--cov] [--seed]
    std::optional<std::string> covText;        // --cov, checked once the method is known
    std::optional<std::uint64_t> seed;         // --seed

    // --settlement, or --settlement=METHOD: the method's value only in the
    // attached form, as an optional argument of getopt_long, so that the
    // word after the option stays the project file it always was.
    bool settlement = false;
    std::optional<SettlementMethod> settlementMethod;
    bool withSettlement = false; // --with-settlement: the sizing keeps s <= limit too

    // The full calculation report.
    std::optional<std::string> pdfPath; // --pdf
    std::optional<std::string> odtPath; // --odt
};

// Fills `options` from the arguments (without the program name). On a
// refused command line returns the one line that names the problem.
std::optional<std::string> parseArguments(const std::vector<std::string>& args, Options& options);


} // namespace zolt::cli
