#include "design/settlement_sizing.h"

#include "model/number_text.h"

#include <utility>

namespace zolt::design {

SettlementSizing sizeWithSettlement(const Approach& approach, int method,
                                    const GeometryData& geometry, const SoilData& soil,
                                    const DesignData& design, const SizingRule& rule,
                                    const SettlementSettings& settings) {
    SettlementSizing out;
    if (!settings.limit) {
        out.sizing.rule = rule;
        out.failure = settlement::SettlementFailure{
            "", "limit",
            "cedimento ammissibile non dato (settlement.limit): il dimensionamento non ha un "
            "limite da rispettare"};
        return out;
    }
    const ground::Profile profile = ground::buildProfile(design.ground, soil);
    const auto condition = [&](const GeometryData& footing) {
        settlement::ProjectSettlementOutcome o =
            settlement::settleProject(settings, profile, footing, soil, design.actions);
        if (!o.ok()) {
            o.failure.message = "B = " + formatFixed(footing.B, 2) +
                                " m, L = " + formatFixed(footing.L, 2) + " m: " + o.failure.message;
            out.failure = std::move(o.failure);
            return SizingCondition::Stop;
        }
        if (!o.settlement->verified())
            return SizingCondition::Fails;
        out.settlement = std::move(o.settlement);
        return SizingCondition::Holds;
    };
    out.sizing = sizeOnGround(approach, method, geometry, soil, design.ground, rule, condition);
    return out;
}

} // namespace zolt::design
