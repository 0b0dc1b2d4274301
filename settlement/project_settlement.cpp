#include "settlement/project_settlement.h"

#include "actions/combinations.h"
#include "actions/self_weight.h"
#include "actions/vocabulary.h"
#include "design/approach.h"
#include "design/combinations_verification.h"

#include <utility>

namespace zolt::settlement {

namespace {

ProjectSettlementOutcome fail(SettlementFailure failure) {
    ProjectSettlementOutcome o;
    o.failure = std::move(failure);
    return o;
}

} // namespace

ProjectSettlementOutcome settleProject(const SettlementSettings& settings,
                                       const ground::Profile& profile, const GeometryData& geometry,
                                       const SoilData& soil,
                                       const std::optional<ActionsData>& actions) {
    ProjectSettlement p;
    p.settings = settings;
    p.footing = {geometry.B, geometry.L, geometry.D, geometry.N};

    // The serviceability combinations take every action at its
    // characteristic value times 1 or psi (NTC 2018 (2.5.2)-(2.5.4)): the
    // approach, which only chooses the ULS factors, does not reach them.
    std::vector<actions::Combination> combinations;
    if (actions) {
        // The same backfill as the verification of the combinations weighs.
        const double gammaFill = design::backfillGamma(
            profile, soil, geometry.D, actions->selfWeight ? actions->selfWeight->thickness : 0.0);
        if (actions->selfWeight)
            p.selfWeight = actions::selfWeightLoad(*actions->selfWeight, geometry.B, geometry.L,
                                                   geometry.D, gammaFill)
                               .total();
        combinations = actions::projectCombinations(*actions, *design::findApproach("ntc2018"),
                                                    geometry, gammaFill);
    }
    if (combinations.empty()) {
        p.loads.push_back({std::string(kProjectLoadName), geometry.N, {}});
    } else {
        p.combined = true;
        for (const actions::Combination& c : combinations)
            if (c.type == settings.combination)
                p.loads.push_back({c.name, c.forces.N, {}});
        if (p.loads.empty())
            return fail({"", "combination",
                         "nessuna combinazione " +
                             std::string(actions::typeLabel(settings.combination)) +
                             " tra le combinazioni del progetto: cedimento non calcolabile"});
    }

    for (std::size_t i = 0; i < p.loads.size(); ++i) {
        LoadSettlement& load = p.loads[i];
        Footing footing = p.footing;
        footing.N = load.N;
        SettlementOutcome o = computeSettlement(settings, profile, footing);
        if (!o.ok()) {
            if (p.combined)
                o.failure.message = "combinazione \"" + load.name + "\": " + o.failure.message;
            return fail(std::move(o.failure));
        }
        load.settlement = std::move(*o.settlement);
        if (load.settlement.totalCm > p.loads[p.governing].settlement.totalCm)
            p.governing = i;
    }
    p.footing.N = p.governingLoad().N;
    ProjectSettlementOutcome outcome;
    outcome.settlement = std::move(p);
    return outcome;
}

ProjectSettlementOutcome settleProject(const SettlementSettings& settings,
                                       const GeometryData& geometry, const SoilData& soil,
                                       const DesignData& design) {
    return settleProject(settings, ground::buildProfile(design.ground, soil), geometry, soil,
                         design.actions);
}

} // namespace zolt::settlement
