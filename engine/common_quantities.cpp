#include "engine/common_quantities.h"

#include <cmath>

namespace zolt::engine {

CommonQuantities computeCommonQuantities(const GeometryData& g, const SoilData& s) {
    CommonQuantities cq;
    cq.phiR = toRadians(s.phi);
    cq.tanPhi = std::tan(cq.phiR);
    cq.Kp = square(std::tan(toRadians(45.0 + 0.5 * s.phi)));
    cq.Nq = std::exp(kPi * cq.tanPhi) * cq.Kp;
    cq.Nc = s.phi == 0.0 ? kNcCohesive : (cq.Nq - 1.0) / cq.tanPhi;
    cq.cM = s.c * kCm2PerM2;

    cq.Bprime = g.B - 2.0 * g.ex;
    cq.Lprime = g.L - 2.0 * g.ey;
    cq.Aprime = cq.Bprime * cq.Lprime;
    cq.q = s.gamma * g.D;

    const double depthRatio = g.D / g.B;
    cq.k = depthRatio <= 1.0 ? depthRatio : std::atan(depthRatio);

    // The normal-load term is N times the full length L, matching H = |T| L
    // in the inclination factors that divide by V*.
    cq.Vstar = s.phi > 0.0 ? cq.Aprime * s.ca * kCm2PerM2 / cq.tanPhi + g.N * g.L : 0.0;
    cq.theta = g.N > 0.0 ? std::fabs(std::atan(g.T / g.N)) : 0.0;
    cq.noLoad = std::fabs(g.N) <= kNoLoadTolerance && std::fabs(g.T) <= kNoLoadTolerance;
    return cq;
}

} // namespace zolt::engine
