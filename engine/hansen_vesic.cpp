#include "engine/hansen_vesic.h"

#include <cmath>

namespace zolt::engine {

namespace {

// 1/147 per degree of slope or tilt, held in extended precision and
// multiplied, never divided.
constexpr long double kOneOver147 = 1.0L / 147.0L;

// gc from omega or bc from alpha: additive for a purely cohesive soil,
// a reduction otherwise.
double cohesionAngleFactor(double degrees, bool cohesive) {
    const long double reduction = degrees * kOneOver147;
    return static_cast<double>(cohesive ? reduction : 1.0L - reduction);
}

} // namespace

MethodOutcome computeHansenVesic(const MethodInput& in, const HansenVesicFormulas& f) {
    const GeometryData& g = in.geometry;
    const SoilData& s = in.soil;
    const CommonQuantities& cq = in.common;
    const bool cohesive = s.phi == 0.0;

    MethodOutcome out;
    const FactorGroup depth{cohesive ? 0.4 * cq.k : 1.0 + 0.4 * cq.k,
                            1.0 + 2.0 * cq.tanPhi * square(1.0 - std::sin(cq.phiR)) * cq.k, 1.0};
    // The depth group is kept even when the check below refuses the load.
    out.depth = depth;

    FactorGroup shape;
    FactorGroup incl;
    if (!cq.noLoad && cq.theta != 0.0) {
        incl = f.inclinedLoad(in, std::fabs(g.T) * g.L);
        // No shape correction under an inclined load; the cohesive formula
        // then drops sc from its additive sum.
        shape = {cohesive ? 0.0 : 1.0, 1.0, 1.0};
    } else {
        const double w = f.shapeWidth(in);
        shape = {cohesive ? 0.2 * w / g.L : 1.0 + (cq.Nq / cq.Nc) * (w / g.L),
                 1.0 + cq.tanPhi * w / g.L, 1.0 - 0.4 * w / g.L};
        // A vertical load has nothing to reduce: iq = i-gamma = 1 for every
        // phi, and ic = 0 leaves the additive cohesive sum unchanged.
        incl = {cohesive ? 0.0 : 1.0, 1.0, 1.0};
    }

    // A negative (or undefined) iq or i-gamma means the shear load exceeds
    // what the base can carry; no ultimate load exists.
    if (!(incl.q >= 0.0) || !(incl.ga >= 0.0)) {
        out.accepted = false;
        return out;
    }

    const QGammaPair gqg = f.slope(in);
    const QGammaPair bqg = f.tilt(in);
    const FactorGroup slope{cohesionAngleFactor(g.omega, cohesive), gqg.q, gqg.ga};
    const FactorGroup tilt{cohesionAngleFactor(g.alpha, cohesive), bqg.q, bqg.ga};
    const double Nga = f.nGamma(in);

    out.shape = shape;
    out.inclination = incl;
    out.slope = slope;
    out.tilt = tilt;
    out.Nq = cq.Nq;
    out.Nc = cq.Nc;
    out.Nga = Nga;
    out.NqCorr = cq.Nq * depth.q * incl.q * slope.q * tilt.q * shape.q;
    out.NcCorr = cq.Nc * depth.c * incl.c * slope.c * tilt.c * shape.c;
    out.NgaCorr = Nga * depth.ga * incl.ga * slope.ga * tilt.ga * shape.ga;

    if (cohesive) {
        // Undrained form: the cohesion factors add up, Nq and N-gamma drop out.
        out.ultimateLoad =
            cq.Aprime *
            (kNcCohesive * cq.cM * (1.0 + shape.c + depth.c - incl.c - tilt.c - slope.c) + cq.q);
    } else {
        out.ultimateLoad =
            cq.Aprime *
            (cq.cM * cq.Nc * depth.c * incl.c * slope.c * tilt.c * shape.c +
             cq.q * cq.Nq * depth.q * incl.q * slope.q * tilt.q * shape.q +
             0.5 * g.B * s.gamma * Nga * depth.ga * incl.ga * slope.ga * tilt.ga * shape.ga);
    }
    return out;
}

} // namespace zolt::engine
