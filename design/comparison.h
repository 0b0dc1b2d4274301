// The four methods side by side on the same inputs: each is the very run
// the analysis would make with that method, on a local results record.
#pragma once

#include "ground/ground_model.h"
#include "model/design_data.h"
#include "model/records.h"
#include "workflow/result_rows.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The four methods in one condition of the ground model.
struct ConditionComparison {
    ground::GroundValues ground; // the values the methods ran on
    std::string_view rule;       // ground::conditionRule(ground.condition)
    std::vector<std::string> notes; // the ground model's notes, then the lifted footing's
    // U > 0 and N - U <= 0: the water lifts the footing and no method is
    // run (each run has engineResult 1 and no values).
    bool lifted = false;
    Comparison comparison;
};

struct GroundComparison {
    ConditionComparison drained;
    std::optional<ConditionComparison> undrained;

    bool refused() const { return drained.comparison.refused(); }
};

// The four methods in every condition of the project's ground: each the
// run of computeBearing on the condition's values, q in place of gamma D
// and N - U as the normal force; qult and qamm over B x L. The drained
// condition takes the analysis' pre-checks on its values (with no water
// table and no layers it is compareMethods bit for bit); the undrained one
// (phi = 0, c = the mean cu > 0) has none to fail.
GroundComparison compareOnGround(const GeometryData& geometry, const SoilData& soil,
                                 const GroundData& ground, double safetyFactor);

} // namespace zolt::design
