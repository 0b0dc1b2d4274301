// The settlement of the project's footing: each combination of the chosen
// serviceability type loads it in turn and the largest settlement governs
// (the rare, frequent and quasi-permanent combinations of NTC 2018 §2.5.3;
// the settlement of a shallow foundation is a serviceability check, NTC
// 2018 §6.4.2.2 and EN 1997-1 §2.4.8 and §6.6.2). Without actions the
// project's N loads it.
//
// The one entry the window program, zolt-calc and the full report call.
// Units as in settlement/settlement.h: kg, kg/m2, m, cm.
#pragma once

#include "ground/ground_model.h"
#include "model/design_data.h"
#include "model/records.h"
#include "settlement/settlement.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolt::settlement {

// The name of the one load of a project without actions.
inline constexpr std::string_view kProjectLoadName = "N del progetto";

// One load on the footing and what it settles.
struct LoadSettlement {
    std::string name; // the combination's name; kProjectLoadName without actions
    double N = 0.0;   // vertical force on the base, kg, the self-weight included
    Settlement settlement;
};

struct ProjectSettlement {
    SettlementSettings settings;       // as computed: method, combination type, limit, years
    Footing footing;                   // the project's B, L, D and the governing load's N
    bool combined = false;             // true: the loads are the project's combinations
    double selfWeight = 0.0;           // footing and backfill in every N, kg; 0 without one
    std::vector<LoadSettlement> loads; // in the order of the combinations
    std::size_t governing = 0;         // the load of the largest settlement (the first of equals)

    const LoadSettlement& governingLoad() const { return loads[governing]; }
    // The governing settlement: its layers, profile, check and notes (the
    // eccentricity note first).
    const Settlement& result() const { return loads[governing].settlement; }
    bool verified() const { return result().verified; }
};

struct ProjectSettlementOutcome {
    std::optional<ProjectSettlement> settlement; // none on failure
    // On failure: the layer and the value at fault, and the whole
    // sentence, which names the combination whose load reached the layer.
    SettlementFailure failure;

    bool ok() const { return settlement.has_value(); }
};

// The settlement of `geometry` (B, L, D, and N without actions) on the
// project's ground with `settings`. With actions, every combination of
// type settings.combination is computed, with the footing's self-weight
// when the project has one (its backfill weighs what the soil removed
// weighed, unless the project gives gammaFill); a project whose actions
// give no combination of that type fails, naming the type. The first load
// that cannot be computed makes the whole fail.
ProjectSettlementOutcome settleProject(const SettlementSettings& settings,
                                       const GeometryData& geometry, const SoilData& soil,
                                       const DesignData& design);

// The same on the profile of the project's ground, already built (the
// sizing asks at every width).
ProjectSettlementOutcome settleProject(const SettlementSettings& settings,
                                       const ground::Profile& profile, const GeometryData& geometry,
                                       const SoilData& soil,
                                       const std::optional<ActionsData>& actions);

} // namespace zolt::settlement
