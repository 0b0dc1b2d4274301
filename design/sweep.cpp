#include "design/sweep.h"

#include "design/parallel.h"
#include "design/units.h"
#include "design/verification.h"
#include "engine/bearing_capacity.h"
#include "ground/ground_model.h"
#include "model/number_text.h"
#include "workflow/input_checks.h"
#include "workflow/result_rows.h"

#include <algorithm>
#include <cmath>

namespace zolt::design {

namespace {

void setInput(const InputField& field, double value, GeometryData& g, SoilData& s) {
    if (field.geometryField != nullptr)
        g.*field.geometryField = value;
    else
        s.*field.soilField = value;
}

// One engine run, with the ground model's options when there are any.
int runEngine(int method, const GeometryData& g, const SoilData& s, const BearingOptions* options,
              BearingResult& result) {
    return options != nullptr ? computeBearing(method, g, s, *options, result, &result.ultimateLoad)
                              : computeBearing(method, g, s, result, &result.ultimateLoad);
}

SweepCell computeCell(int method, const GeometryData& g, const SoilData& s,
                      const BearingOptions* options, const Approach* approach,
                      const SoilData* design, BearingResult& result) {
    SweepCell cell;
    if (runEngine(method, g, s, options, result) != kEngineOk)
        return cell;
    const double qult = pressuresOf(result.ultimateLoad, g.B, g.L, 1.0).qult;
    if (!std::isfinite(qult))
        return cell;
    cell.valid = true;
    cell.load = result.ultimateLoad;
    cell.qult = qult;
    if (approach == nullptr)
        return cell;
    Verification v;
    if (design == nullptr) {
        // M1: the design values are the project's, so is the resistance.
        v = completeVerification(*approach, method, g, s, kEngineOk, result.ultimateLoad);
    } else {
        BearingResult designResult;
        const int designOutcome = runEngine(method, g, *design, options, designResult);
        v = completeVerification(*approach, method, g, *design, designOutcome,
                                 designResult.ultimateLoad);
    }
    cell.utilBearing = v.bearing.utilisation;
    cell.utilSliding = v.sliding.utilisation;
    return cell;
}

// What the methods see in one condition at one point.
struct ConditionInputs {
    GeometryData footing; // N - U as the normal force
    SoilData soil;
    BearingOptions options;
    bool lifted = false;
};

ConditionInputs inputsOf(const GeometryData& g, const ground::GroundValues& values) {
    ConditionInputs in;
    in.footing = ground::methodFooting(g, values);
    in.soil = values.soil();
    in.options = ground::methodOptions(values);
    in.lifted = liftsFooting(g, values);
    return in;
}

// The swept soil value in place of the drained condition's equivalent one;
// q' follows gamma in proportion.
void replaceEquivalent(const InputField& field, double value, ConditionInputs& in) {
    if (field.soilField == &SoilData::gamma && in.soil.gamma > 0.0)
        in.options.overburden = *in.options.overburden * (value / in.soil.gamma);
    in.soil.*field.soilField = value;
}

bool changesFooting(const InputField& field) {
    return field.geometryField == &GeometryData::B || field.geometryField == &GeometryData::L ||
           field.geometryField == &GeometryData::D;
}

void computeConditionCells(const SweepSpec& study, const ConditionInputs& in,
                           const Approach* approach, bool designDiffers,
                           std::array<SweepCell, 4>& cells, BearingResult& scratch) {
    SoilData design;
    if (designDiffers)
        design = designSoil(in.soil, approach->soil);
    for (int m = Terzaghi; m <= Vesic; ++m)
        if (study.methods & (1u << m))
            cells[static_cast<std::size_t>(m)] =
                computeCell(m, in.footing, in.soil, &in.options, approach,
                            designDiffers ? &design : nullptr, scratch);
}

} // namespace

bool mayBeUndrained(const GroundData& ground) {
    return std::any_of(ground.layers.begin(), ground.layers.end(),
                       [](const SoilLayer& l) { return l.cu > 0.0; });
}

std::optional<std::string> sweepSpecProblem(const SweepSpec& study) {
    if (study.field == nullptr)
        return "dato da variare sconosciuto (B L D alpha omega ex ey N T gamma phi delta c ca)";
    const std::string name(study.field->name);
    const std::string range = formatFixed(study.field->minimum, study.field->decimals) + " e " +
                              formatFixed(study.field->maximum, study.field->decimals);
    if (!study.field->accepts(study.from) || !study.field->accepts(study.to))
        return "gli estremi di " + name + " devono essere numeri tra " + range;
    if (study.count < kMinSweepPoints || study.count > kMaxSweepPoints)
        return "il numero di punti deve essere tra 2 e 1000000";
    return std::nullopt;
}

std::string sweepCsvHeader(const SweepSpec& study, bool withUtilisations, bool withUndrained) {
    std::string header(study.field->name);
    for (const char* condition : {"", "_undrained"}) {
        if (*condition != '\0' && !withUndrained)
            break;
        for (int m = Terzaghi; m <= Vesic; ++m) {
            const std::string key = std::string(methodKey(m)) + condition;
            header += "," + key + "_load," + key + "_qult";
        }
        if (withUtilisations)
            for (int m = Terzaghi; m <= Vesic; ++m) {
                const std::string key = std::string(methodKey(m)) + condition;
                header += "," + key + "_util_bearing," + key + "_util_sliding";
            }
    }
    return header + '\n';
}

double sweepValue(const SweepSpec& study, std::size_t i) {
    if (i + 1 >= study.count)
        return study.to;
    return study.from + static_cast<double>(i) * (study.to - study.from) /
                           static_cast<double>(study.count - 1);
}

void computeSweepPoints(const SweepSpec& study, const GeometryData& geometry, const SoilData& soil,
                        const Approach* approach, std::size_t first, std::size_t last,
                        SweepPoint* out) {
    const bool designDiffers = approach != nullptr && !approach->soil.isIdentity();
    const bool sweepsDelta = study.field->soilField == &SoilData::delta;
    const double tanDelta = slidingTangent(soil.delta);
    BearingResult scratch;
    for (std::size_t i = first; i < last; ++i) {
        SweepPoint& point = out[i - first];
        point.x = sweepValue(study, i);
        for (SweepCell& cell : point.methods)
            cell = SweepCell{};
        point.undrained.fill(SweepCell{});
        GeometryData g = geometry;
        SoilData s = soil;
        setInput(*study.field, point.x, g, s);
        if (g.B > g.L || checkInputs(g, s, sweepsDelta ? slidingTangent(s.delta) : tanDelta) != 0)
            continue;
        SoilData design;
        if (designDiffers)
            design = designSoil(s, approach->soil);
        for (int m = Terzaghi; m <= Vesic; ++m)
            if (study.methods & (1u << m))
                point.methods[static_cast<std::size_t>(m)] = computeCell(
                    m, g, s, nullptr, approach, designDiffers ? &design : nullptr, scratch);
    }
}

void computeSweepPointsOnGround(const SweepSpec& study, const GeometryData& geometry,
                                const SoilData& soil, const GroundData& ground,
                                const Approach* approach, std::size_t first, std::size_t last,
                                SweepPoint* out) {
    const bool designDiffers = approach != nullptr && !approach->soil.isIdentity();
    const bool soilValue = study.field->soilField != nullptr;
    const bool layered = !ground.layers.empty();
    const ground::Profile profile = ground::buildProfile(ground, soil);
    // The ground model of the project's footing serves every point whose
    // value moves neither the base nor the homogeneous soil.
    std::optional<ground::GroundModel> fixed;
    if (!changesFooting(*study.field) && !(soilValue && !layered))
        fixed = ground::evaluateGround(profile, geometry.B, geometry.L, geometry.D);
    double tanDelta = 0.0;
    std::optional<double> tanDeltaOf; // the delta tanDelta belongs to
    BearingResult scratch;
    for (std::size_t i = first; i < last; ++i) {
        SweepPoint& point = out[i - first];
        point.x = sweepValue(study, i);
        point.methods.fill(SweepCell{});
        point.undrained.fill(SweepCell{});
        GeometryData g = geometry;
        SoilData s = soil;
        setInput(*study.field, point.x, g, s);
        if (g.B > g.L)
            continue;
        std::optional<ground::GroundModel> evaluated;
        if (!fixed)
            evaluated = ground::evaluateGround(
                soilValue ? ground::buildProfile(ground, s) : profile, g.B, g.L, g.D);
        const ground::GroundModel& model = fixed ? *fixed : *evaluated;

        ConditionInputs drained = inputsOf(g, model.drained);
        if (soilValue && layered)
            replaceEquivalent(*study.field, point.x, drained);
        if (!drained.lifted) {
            if (tanDeltaOf != drained.soil.delta) {
                tanDelta = slidingTangent(drained.soil.delta);
                tanDeltaOf = drained.soil.delta;
            }
            if (checkInputs(drained.footing, drained.soil, tanDelta) == 0)
                computeConditionCells(study, drained, approach, designDiffers, point.methods,
                                      scratch);
        }
        if (!model.undrained)
            continue;
        computeConditionCells(study, inputsOf(g, *model.undrained), approach, designDiffers,
                              point.undrained, scratch);
        // A base layer without cu slides as in the drained condition, as
        // verifyOnGround has it.
        if (model.undrained->ca == 0.0)
            for (std::size_t m = 0; m < point.undrained.size(); ++m)
                if (point.undrained[m].valid)
                    point.undrained[m].utilSliding =
                        point.methods[m].valid ? point.methods[m].utilSliding : std::nullopt;
    }
}

std::optional<std::vector<SweepPoint>>
runSweepOnGround(const SweepSpec& study, const GeometryData& geometry, const SoilData& soil,
                 const GroundData& ground, const Approach* approach, unsigned threads,
                 const std::atomic<bool>* cancel) {
    std::vector<SweepPoint> points(study.count);
    parallelChunks(
        study.count, kSweepChunk, threads,
        [&](std::size_t, std::size_t first, std::size_t last) {
            computeSweepPointsOnGround(study, geometry, soil, ground, approach, first, last,
                                       points.data() + first);
        },
        cancel);
    if (cancel != nullptr && cancel->load())
        return std::nullopt;
    return points;
}

std::optional<std::vector<SweepPoint>> runSweep(const SweepSpec& study, const GeometryData& geometry,
                                                const SoilData& soil, const Approach* approach,
                                                unsigned threads, const std::atomic<bool>* cancel) {
    std::vector<SweepPoint> points(study.count);
    parallelChunks(
        study.count, kSweepChunk, threads,
        [&](std::size_t, std::size_t first, std::size_t last) {
            computeSweepPoints(study, geometry, soil, approach, first, last, points.data() + first);
        },
        cancel);
    if (cancel != nullptr && cancel->load())
        return std::nullopt;
    return points;
}

} // namespace zolt::design
