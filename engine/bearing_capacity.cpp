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
    return std::isfinite(o.Nq) && std::isfinite(o.NqCorr) && std::isfinite(o.Nc) &&
           std::isfinite(o.NcCorr) && std::isfinite(o.Nga) && std::isfinite(o.NgaCorr) &&
           std::isfinite(o.ultimateLoad) && (!o.terzaghiA || std::isfinite(*o.terzaghiA)) &&
           isFinite(o.shape) && isFinite(o.depth) && isFinite(o.inclination) && isFinite(o.slope) &&
           isFinite(o.tilt);
}

// Zero is inside every domain: phi = 0 sets several factors to 0 by
// definition, and a resultant on the edge of the base carries 0 kg.
bool isNonNegative(const FactorGroup& g) {
    return g.c >= 0.0 && g.q >= 0.0 && g.ga >= 0.0;
}

bool isNonNegative(const std::optional<FactorGroup>& g) {
    return !g || isNonNegative(*g);
}

// A complete outcome whose formulas were used past their domain: a
// correction factor below zero (Hansen's (1 - 0.5 tan omega)^5 past 63.43
// degrees, ic = iq - (1 - iq)/(Nq - 1) on a low phi under an inclined
// load), an N-factor of the load formula below zero (Meyerhof's
// (Nq - 1) tan(1.4 phi) past 64.29 degrees) or a load below zero. None of
// these means a bearing capacity.
bool isWithinDomain(const MethodOutcome& o) {
    if (!isNonNegative(o.shape) || !isNonNegative(o.depth) || !isNonNegative(o.inclination) ||
        !isNonNegative(o.slope) || !isNonNegative(o.tilt))
        return false;
    if (!o.undrainedForm && !(o.Nc >= 0.0 && o.Nq >= 0.0 && o.Nga >= 0.0))
        return false;
    return o.ultimateLoad >= 0.0;
}

void clearFactors(BearingResult& r) {
    r.sc = r.sq = r.sga = 0.0;
    r.dc = r.dq = r.dga = 0.0;
    r.ic = r.iq = r.iga = 0.0;
    r.gc = r.gq = r.gga = 0.0;
    r.bc = r.bq = r.bga = 0.0;
    r.factorPresent.fill(0);
}

// Writes one group with its three flags; `first` is the FactorIndex of c.
void writeGroup(BearingResult& r, int first, double& c, double& q, double& ga,
                const std::optional<FactorGroup>& g) {
    if (!g)
        return;
    c = g->c;
    q = g->q;
    ga = g->ga;
    r.factorPresent[first] = r.factorPresent[first + 1] = r.factorPresent[first + 2] = 1;
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
    writeGroup(r, kSc, r.sc, r.sq, r.sga, o.shape);
    writeGroup(r, kDc, r.dc, r.dq, r.dga, o.depth);
    writeGroup(r, kIc, r.ic, r.iq, r.iga, o.inclination);
    writeGroup(r, kGc, r.gc, r.gq, r.gga, o.slope);
    writeGroup(r, kBc, r.bc, r.bq, r.bga, o.tilt);
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
    return computeBearing(method, geometry, soil, BearingOptions{}, result, ultimateLoad);
}

int computeBearing(std::int32_t method, const GeometryData& geometry, const SoilData& soil,
                   const BearingOptions& options, BearingResult& result, double* ultimateLoad) {
    clearFactors(result);

    engine::CommonQuantities common = engine::computeCommonQuantities(geometry, soil);
    if (options.overburden)
        common.q = *options.overburden;
    result.Kp = common.Kp;
    result.cohesionM = common.cM;

    if (method < Terzaghi || method > Vesic)
        return kEngineOk;
    if (!(soil.phi < kFrictionAngleLimit))
        return kEngineFailed;
    // A resultant outside the base leaves no effective area to carry it.
    if (common.Bprime < 0.0 || common.Lprime < 0.0)
        return kEngineFailed;

    // With phi = 0 the overburden and self-weight terms carry no soil
    // inertia effect (Paolucci & Pecker's zq = zgamma = 1).
    const bool cohesive = soil.phi == 0.0;
    const FactorGroup terms{options.zc, cohesive ? 1.0 : options.zq, cohesive ? 1.0 : options.zga};
    const MethodOutcome outcome = runMethod(method, {geometry, soil, common, terms});
    const bool complete = outcome.accepted && isComplete(outcome);
    if (!outcome.accepted || (complete && !isWithinDomain(outcome))) {
        // A refusal of the formulas keeps the call's depth factors.
        if (isFinite(outcome.depth) && isNonNegative(outcome.depth))
            writeGroup(result, kDc, result.dc, result.dq, result.dga, outcome.depth);
        return kEngineFailed;
    }
    if (!complete)
        return kEngineFailed;
    commit(outcome, result, ultimateLoad);
    return kEngineOk;
}

int computeBearingCapacity(std::int32_t method, double B, double L, double D, double alpha,
                           double omega, double N, double T, double ex, double ey,
                           double* ultimateLoad) {
    const GeometryData geometry{B, L, D, alpha, omega, ex, ey, N, T};
    const int status = computeBearing(method, geometry, soilData, bearingResult, ultimateLoad);
    // A method outside 0..3 writes no load: the record still holds the
    // numbers of the run before.
    if (status == kEngineOk && method >= Terzaghi && method <= Vesic)
        analysedMethod = method;
    return status;
}

} // namespace zolt
