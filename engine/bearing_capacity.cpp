// The engine frame: clears the factors, computes the common quantities,
// runs one method into a local outcome and commits that outcome to the
// results record only when it is complete and finite.
#include "engine/bearing_capacity.h"

#include "engine/common_quantities.h"
#include "engine/methods.h"
#include "model/project.h"

#include <cmath>
#include <optional>

namespace zolt {

namespace {

using engine::FactorGroup;
using engine::MethodOutcome;

// At 90 degrees tan(phi) has no value and every factor diverges; the
// input fields still admit angles up to 99.9.
constexpr double kFrictionAngleLimit = 90.0; // degrees

bool isFinite(const FactorGroup& g) {
    return std::isfinite(g.c) && std::isfinite(g.q) && std::isfinite(g.ga);
}

bool isFinite(const std::optional<FactorGroup>& g) {
    return !g || isFinite(*g);
}

bool isComplete(const MethodOutcome& o) {
    for (double v : {o.Nq, o.NqCorr, o.Nc, o.NcCorr, o.Nga, o.NgaCorr, o.ultimateLoad})
        if (!std::isfinite(v))
            return false;
    if (o.terzaghiA && !std::isfinite(*o.terzaghiA))
        return false;
    return isFinite(o.shape) && isFinite(o.depth) && isFinite(o.inclination) && isFinite(o.slope) &&
           isFinite(o.tilt);
}

void writeGroup(BearingResult& r, int first, const std::optional<FactorGroup>& g) {
    if (!g)
        return;
    const double values[] = {g->c, g->q, g->ga};
    for (int i = 0; i < 3; ++i) {
        r.factor(first + i) = values[i];
        r.factorPresent[first + i] = 1;
    }
}

void commit(const MethodOutcome& o, BearingResult& r, double* ultimateLoad) {
    if (ultimateLoad != nullptr)
        *ultimateLoad = o.ultimateLoad;
    r.Nc = o.Nc;
    r.NcCorr = o.NcCorr;
    r.Nq = o.Nq;
    r.NqCorr = o.NqCorr;
    r.Nga = o.Nga;
    r.NgaCorr = o.NgaCorr;
    if (o.terzaghiA)
        r.terzaghiA = *o.terzaghiA;
    writeGroup(r, kSc, o.shape);
    writeGroup(r, kDc, o.depth);
    writeGroup(r, kIc, o.inclination);
    writeGroup(r, kGc, o.slope);
    writeGroup(r, kBc, o.tilt);
}

MethodOutcome runMethod(std::int32_t method, const engine::MethodInput& in) {
    switch (method) {
    case Terzaghi:
        return engine::computeTerzaghi(in);
    case Meyerhof:
        return engine::computeMeyerhof(in);
    case Hansen:
        return engine::computeHansen(in);
    default:
        return engine::computeVesic(in);
    }
}

} // namespace

int computeBearing(std::int32_t method, const GeometryData& geometry, const SoilData& soil,
                   BearingResult& result, double* ultimateLoad) {
    for (int i = 0; i < kFactorCount; ++i)
        result.factor(i) = 0.0;
    result.factorPresent.fill(0);

    const engine::CommonQuantities common = engine::computeCommonQuantities(geometry, soil);
    result.Kp = common.Kp;
    result.cohesionM = common.cM;

    if (method < Terzaghi || method > Vesic)
        return kEngineOk;
    if (!(soil.phi < kFrictionAngleLimit))
        return kEngineFailed;
    // A resultant outside the base leaves no effective area to carry it.
    if (common.Bprime < 0.0 || common.Lprime < 0.0)
        return kEngineFailed;

    const MethodOutcome outcome = runMethod(method, {geometry, soil, common});
    if (!outcome.accepted) {
        if (isFinite(outcome.depth))
            writeGroup(result, kDc, outcome.depth);
        return kEngineFailed;
    }
    if (!isComplete(outcome))
        return kEngineFailed;
    commit(outcome, result, ultimateLoad);
    return kEngineOk;
}

int computeBearingCapacity(std::int32_t method, double B, double L, double D, double alpha,
                           double omega, double N, double T, double ex, double ey,
                           double* ultimateLoad) {
    const GeometryData geometry{B, L, D, alpha, omega, ex, ey, N, T};
    return computeBearing(method, geometry, soilData, bearingResult, ultimateLoad);
}

} // namespace zolt
