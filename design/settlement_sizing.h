// Sizing with the settlement as one more condition: the smallest width
// whose footing verifies (bearing and sliding, every condition) and
// settles no more than the project's admissible settlement.
#pragma once

#include "design/combinations_verification.h"
#include "design/sizing.h"
#include "settlement/project_settlement.h"

#include <optional>

namespace zolt::design {

struct SettlementSizing {
    GroundSizing sizing; // the width found, its length and its verification
    std::optional<settlement::ProjectSettlement> settlement; // at the width found
    // The settlement could not be computed (a layer the load reaches lacks
    // a value, no combination of the type, no limit): no width is given.
    std::optional<settlement::SettlementFailure> failure;
};

// sizeOnGround on design.ground where a width is taken only when
// settlement::settleProject with `settings` at that width (its own
// self-weight and combinations) is within settings.limit. Without a limit
// it fails before any width is tried. A width whose settlement cannot be
// computed ends the sizing with that failure, the width named in its
// message.
SettlementSizing sizeWithSettlement(const Approach& approach, int method,
                                    const GeometryData& geometry, const SoilData& soil,
                                    const DesignData& design, const SizingRule& rule,
                                    const SettlementSettings& settings);

struct CombinationsSettlementSizing {
    CombinationsSizing sizing;
    std::optional<settlement::ProjectSettlement> settlement; // at the width found
    std::optional<settlement::SettlementFailure> failure;    // as SettlementSizing's
};

// sizeCombinations on the project's actions with the same settlement
// condition as sizeWithSettlement.
CombinationsSettlementSizing
sizeCombinationsWithSettlement(const Approach& approach, int method, const GeometryData& geometry,
                               const SoilData& soil, const DesignData& design,
                               const SizingRule& rule, const SettlementSettings& settings);

} // namespace zolt::design
