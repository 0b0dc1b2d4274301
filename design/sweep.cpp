#include "design/sweep.h"

#include "design/parallel.h"
#include "design/units.h"
#include "design/verification.h"
#include "engine/bearing_capacity.h"
#include "model/number_text.h"
#include "workflow/input_checks.h"
#include "workflow/result_rows.h"

#include <cmath>

namespace zolt::design {

namespace {

void setInput(const InputField& field, double value, GeometryData& g, SoilData& s) {
    if (field.geometryField != nullptr)
        g.*field.geometryField = value;
    else
        s.*field.soilField = value;
}

SweepCell computeCell(int method, const GeometryData& g, const SoilData& s,
                      const Approach* approach, const SoilData* design, BearingResult& result) {
    SweepCell cell;
    if (computeBearing(method, g, s, result, &result.ultimateLoad) != kEngineOk)
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
        const int designOutcome =
            computeBearing(method, g, *design, designResult, &designResult.ultimateLoad);
        v = completeVerification(*approach, method, g, *design, designOutcome,
                                 designResult.ultimateLoad);
    }
    cell.utilBearing = v.bearing.utilisation;
    cell.utilSliding = v.sliding.utilisation;
    return cell;
}

} // namespace

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

std::string sweepCsvHeader(const SweepSpec& study, bool withUtilisations) {
    std::string header(study.field->name);
    for (int m = Terzaghi; m <= Vesic; ++m) {
        const std::string key(methodKey(m));
        header += "," + key + "_load," + key + "_qult";
    }
    if (withUtilisations)
        for (int m = Terzaghi; m <= Vesic; ++m) {
            const std::string key(methodKey(m));
            header += "," + key + "_util_bearing," + key + "_util_sliding";
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
                point.methods[static_cast<std::size_t>(m)] =
                    computeCell(m, g, s, approach, designDiffers ? &design : nullptr, scratch);
    }
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
