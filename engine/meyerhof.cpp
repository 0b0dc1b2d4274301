// Meyerhof: general Nq and Nc, its own N-gamma, depth factors always, and
// either shape factors (vertical load) or inclination factors (inclined
// load) in the same place of the formula, never both.
#include "engine/methods.h"

#include <cmath>

namespace zolt::engine {

namespace {
constexpr double kTwoOverPi = 0.6366197723675814;
// Loads inclined by no more than this (rad) are treated as vertical.
constexpr double kVerticalThreshold = 0.0001;
} // namespace

bool isInclinedForMeyerhof(const CommonQuantities& common) {
    return common.theta > kVerticalThreshold;
}

MethodOutcome computeMeyerhof(const MethodInput& in) {
    const GeometryData& g = in.geometry;
    const SoilData& s = in.soil;
    const CommonQuantities& cq = in.common;
    const bool cohesive = s.phi == 0.0;

    const double Nga = (cq.Nq - 1.0) * std::tan(1.4 * cq.phiR);

    const double sqrtKp = std::sqrt(cq.Kp);
    const double dqg = cohesive ? 1.0 : 1.0 + 0.1 * sqrtKp * g.D / g.B;
    const FactorGroup depth{1.0 + 0.2 * sqrtKp * g.D / g.B, dqg, dqg};

    MethodOutcome out;
    out.depth = depth;
    FactorGroup x; // the shape or the inclination group, whichever applies
    if (isInclinedForMeyerhof(cq)) {
        const double icq = square(1.0 - kTwoOverPi * cq.theta);
        // A load leaning more than phi leaves the self-weight term nothing
        // (Meyerhof 1963, "Some recent research on the bearing capacity of
        // foundations", Can. Geotech. J. 1(1) 16-26); the square would grow
        // again past theta = phi.
        const double iga = cohesive || cq.theta > cq.phiR ? 0.0 : square(1.0 - cq.theta / cq.phiR);
        x = {icq, icq, iga};
        out.inclination = x;
    } else {
        // Effective width over the full length.
        const double sqg = cohesive ? 1.0 : 1.0 + 0.1 * cq.Kp * cq.Bprime / g.L;
        x = {1.0 + 0.2 * cq.Kp * cq.Bprime / g.L, sqg, sqg};
        out.shape = x;
    }

    out.Nq = cq.Nq;
    out.Nc = cq.Nc;
    out.Nga = Nga;
    out.NcCorr = cq.Nc * depth.c * x.c;
    out.NqCorr = cq.Nq * depth.q * x.q;
    out.NgaCorr = Nga * depth.ga * x.ga;
    const FactorGroup& z = in.terms;
    out.ultimateLoad =
        cq.Aprime * (cq.cM * cq.Nc * depth.c * x.c * z.c + cq.q * cq.Nq * depth.q * x.q * z.q +
                     0.5 * g.B * s.gamma * Nga * depth.ga * x.ga * z.ga);
    return out;
}

} // namespace zolt::engine
