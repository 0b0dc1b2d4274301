#include "design/comparison.h"

#include "design/verification.h"
#include "engine/bearing_capacity.h"
#include "workflow/input_checks.h"

namespace zolt::design {

Comparison compareMethods(const GeometryData& geometry, const SoilData& soil,
                          double safetyFactor) {
    Comparison c;
    c.refusal = checkInputs(geometry, soil);
    for (int m = Terzaghi; m <= Vesic; ++m) {
        MethodRun& run = c.runs[static_cast<std::size_t>(m)];
        run.method = m;
        if (c.refused())
            continue;
        run.engineResult =
            computeBearing(m, geometry, soil, run.result, &run.result.ultimateLoad);
        if (run.engineResult == kEngineOk)
            run.pressures =
                pressuresOf(run.result.ultimateLoad, geometry.B, geometry.L, safetyFactor);
    }
    return c;
}

namespace {

ConditionComparison compareCondition(const GeometryData& geometry,
                                     const ground::GroundValues& values, double safetyFactor) {
    ConditionComparison c;
    c.ground = values;
    const GeometryData g = ground::methodFooting(geometry, values);
    const SoilData soil = values.soil();
    c.rule = ground::conditionRule(values.condition);
    c.notes = values.notes;
    c.lifted = liftsFooting(geometry, values);
    if (c.lifted)
        c.notes.emplace_back(kLiftedNote);
    if (!c.lifted && values.condition == ground::Condition::Drained)
        c.comparison.refusal = checkInputs(g, soil);
    const BearingOptions options = ground::methodOptions(values);
    for (int m = Terzaghi; m <= Vesic; ++m) {
        MethodRun& run = c.comparison.runs[static_cast<std::size_t>(m)];
        run.method = m;
        if (c.lifted)
            run.engineResult = kEngineFailed;
        if (c.lifted || c.comparison.refused())
            continue;
        run.engineResult =
            computeBearing(m, g, soil, options, run.result, &run.result.ultimateLoad);
        if (run.engineResult == kEngineOk)
            run.pressures = pressuresOf(run.result.ultimateLoad, g.B, g.L, safetyFactor);
    }
    return c;
}

} // namespace

GroundComparison compareOnGround(const GeometryData& geometry, const SoilData& soil,
                                 const GroundData& ground, double safetyFactor) {
    const ground::GroundModel model = ground::evaluateGround(ground, soil, geometry);
    GroundComparison c;
    c.drained = compareCondition(geometry, model.drained, safetyFactor);
    if (model.undrained)
        c.undrained = compareCondition(geometry, *model.undrained, safetyFactor);
    return c;
}

} // namespace zolt::design
