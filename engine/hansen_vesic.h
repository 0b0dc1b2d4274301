// The frame that Hansen and Vesic share: the same depth factors, load-case
// split, inclination check, cohesion factors for slope and tilt, ultimate
// load formulas and corrected factors. Each method supplies only the
// formulas in which it differs, as a type the frame is instantiated with.
#pragma once

#include "engine/methods.h"

#include <cmath>
#include <concepts>

namespace zolt::engine {

struct QGammaPair {
    double q = 1.0;
    double ga = 1.0;
};

template <class F>
concept HansenVesicFormulas = requires(const MethodInput& in, double H) {
    // Width over which the shape factors divide the full length L.
    { F::shapeWidth(in) } -> std::same_as<double>;
    // ic, iq, i-gamma under an inclined load; H = |T| L.
    { F::inclinedLoad(in, H) } -> std::same_as<FactorGroup>;
    // gq and g-gamma from the ground slope omega.
    { F::slope(in) } -> std::same_as<QGammaPair>;
    // bq and b-gamma from the base tilt alpha.
    { F::tilt(in) } -> std::same_as<QGammaPair>;
    { F::nGamma(in) } -> std::same_as<double>;
    // False where the method's own slope or tilt formulas have no meaning.
    { F::slopeAndTiltWithinDomain(in) } -> std::same_as<bool>;
};

// Past a vertical slope tan(omega) changes sign, and the slope factors of
// both methods exceed 1 again: no ground is steeper than vertical.
constexpr double kSteepestSlope = 90.0; // degrees, excluded

// 1/147 per degree of slope or tilt, held in extended precision and
// multiplied, never divided.
constexpr long double kOneOver147 = 1.0L / 147.0L;

// gc from omega or bc from alpha: additive for a purely cohesive soil,
// a reduction otherwise.
inline double cohesionAngleFactor(double degrees, bool cohesive) {
    const long double reduction = degrees * kOneOver147;
    return static_cast<double>(cohesive ? reduction : 1.0L - reduction);
}

template <HansenVesicFormulas F> MethodOutcome computeHansenVesic(const MethodInput& in) {
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
    if (isInclinedForHansenVesic(cq)) {
        incl = F::inclinedLoad(in, std::fabs(g.T) * g.L);
        // No shape correction under an inclined load; the cohesive formula
        // then drops sc from its additive sum.
        shape = {cohesive ? 0.0 : 1.0, 1.0, 1.0};
    } else {
        const double w = F::shapeWidth(in);
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
    if (!(g.omega < kSteepestSlope) || !F::slopeAndTiltWithinDomain(in)) {
        out.accepted = false;
        return out;
    }

    const QGammaPair gqg = F::slope(in);
    const QGammaPair bqg = F::tilt(in);
    const FactorGroup slope{cohesionAngleFactor(g.omega, cohesive), gqg.q, gqg.ga};
    const FactorGroup tilt{cohesionAngleFactor(g.alpha, cohesive), bqg.q, bqg.ga};
    const double Nga = F::nGamma(in);

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

    const FactorGroup& z = in.terms;
    out.undrainedForm = cohesive;
    if (cohesive) {
        // Undrained form: the cohesion factors add up, Nq and N-gamma drop
        // out; the overburden term takes no factor of its own.
        out.ultimateLoad =
            cq.Aprime *
            (kNcCohesive * cq.cM * (1.0 + shape.c + depth.c - incl.c - tilt.c - slope.c) * z.c +
             cq.q);
    } else {
        out.ultimateLoad =
            cq.Aprime *
            (cq.cM * cq.Nc * depth.c * incl.c * slope.c * tilt.c * shape.c * z.c +
             cq.q * cq.Nq * depth.q * incl.q * slope.q * tilt.q * shape.q * z.q +
             0.5 * g.B * s.gamma * Nga * depth.ga * incl.ga * slope.ga * tilt.ga * shape.ga * z.ga);
    }
    return out;
}

} // namespace zolt::engine
