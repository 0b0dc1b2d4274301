#include "design/settlement_sizing.h"

#include "model/number_text.h"

#include <utility>

namespace zolt::design {

namespace {

settlement::SettlementFailure missingLimit() {
    return settlement::SettlementFailure{
        "", "limit",
        "cedimento ammissibile non dato (settlement.limit): il dimensionamento non ha un "
        "limite da rispettare"};
}

// A width holds while its settlement is within the limit; the settlement
// of the last width that held and the failure that stopped the search go
// to `settlement` and `failure`. `profile` must outlive the check.
SizingConditionCheck settlementCondition(const ground::Profile& profile, const SoilData& soil,
                                         const DesignData& design,
                                         const SettlementSettings& settings,
                                         std::optional<settlement::ProjectSettlement>& settlement,
                                         std::optional<settlement::SettlementFailure>& failure) {
    return [&profile, &soil, &design, &settings, &settlement,
            &failure](const GeometryData& footing) {
        settlement::ProjectSettlementOutcome o =
            settlement::settleProject(settings, profile, footing, soil, design.actions);
        if (!o.ok()) {
            o.failure.message = "B = " + formatFixed(footing.B, 2) +
                                " m, L = " + formatFixed(footing.L, 2) + " m: " + o.failure.message;
            failure = std::move(o.failure);
            return SizingCondition::Stop;
        }
        if (!o.settlement->verified())
            return SizingCondition::Fails;
        settlement = std::move(o.settlement);
        return SizingCondition::Holds;
    };
}

} // namespace

SettlementSizing sizeWithSettlement(const Approach& approach, int method,
                                    const GeometryData& geometry, const SoilData& soil,
                                    const DesignData& design, const SizingRule& rule,
                                    const SettlementSettings& settings) {
    SettlementSizing out;
    if (!settings.limit) {
        out.sizing.rule = rule;
        out.failure = missingLimit();
        return out;
    }
    const ground::Profile profile = ground::buildProfile(design.ground, soil);
    out.sizing = sizeOnGround(
        approach, method, geometry, soil, design.ground, rule,
        settlementCondition(profile, soil, design, settings, out.settlement, out.failure));
    return out;
}

CombinationsSettlementSizing
sizeCombinationsWithSettlement(const Approach& approach, int method, const GeometryData& geometry,
                               const SoilData& soil, const DesignData& design,
                               const SizingRule& rule, const SettlementSettings& settings) {
    CombinationsSettlementSizing out;
    if (!settings.limit || !design.actions) {
        out.sizing.rule = rule;
        out.failure = missingLimit();
        if (!design.actions)
            out.failure->message = "il progetto non ha azioni";
        return out;
    }
    const ground::Profile profile = ground::buildProfile(design.ground, soil);
    out.sizing = sizeCombinations(
        approach, method, geometry, soil, design.ground, *design.actions, design.seismic, rule,
        settlementCondition(profile, soil, design, settings, out.settlement, out.failure));
    return out;
}

} // namespace zolt::design
