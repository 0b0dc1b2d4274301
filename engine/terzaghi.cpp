// Terzaghi: closed-form N-factors of its own, a square/strip shape
// correction and nothing else. T, alpha and omega play no part; the
// eccentricity acts only through the effective area.
#include "engine/methods.h"

#include <cmath>

namespace zolt::engine {

namespace {
constexpr double kThreeQuarterPi = 2.356194490192345; // rad
constexpr double kQuarterPi = 0.7853981633974483;     // rad
// A base counts as square when |B - L| is below this, m.
constexpr double kSquareTolerance = 0.01;
constexpr FactorGroup kSquareShape{1.3, 1.0, 0.8};
constexpr FactorGroup kStripShape{1.0, 1.0, 1.0};
} // namespace

bool isSquareForTerzaghi(const GeometryData& geometry) {
    return std::fabs(geometry.B - geometry.L) < kSquareTolerance;
}

MethodOutcome computeTerzaghi(const MethodInput& in) {
    const GeometryData& g = in.geometry;
    const SoilData& s = in.soil;
    const CommonQuantities& cq = in.common;

    const double a = std::exp((kThreeQuarterPi - 0.5 * cq.phiR) * cq.tanPhi);
    const double Nq = a * a / (2.0 * square(std::cos(0.5 * cq.phiR + kQuarterPi)));
    const double Nga = 2.0 * (Nq + 1.0) * cq.tanPhi;
    const double Nc = s.phi == 0.0 ? kNcCohesive : (Nq - 1.0) / cq.tanPhi;

    const FactorGroup shape = isSquareForTerzaghi(g) ? kSquareShape : kStripShape;

    MethodOutcome out;
    out.terzaghiA = a;
    out.Nq = Nq;
    out.Nc = Nc;
    out.Nga = Nga;
    out.NcCorr = shape.c * Nc;
    out.NqCorr = shape.q * Nq;
    out.NgaCorr = shape.ga * Nga;
    out.shape = shape;
    // The self-weight term takes the full width B; only the area is reduced.
    const FactorGroup& z = in.terms;
    out.ultimateLoad = cq.Aprime * (shape.c * cq.cM * Nc * z.c + cq.q * Nq * z.q +
                                    shape.ga * 0.5 * s.gamma * g.B * Nga * z.ga);
    return out;
}

} // namespace zolt::engine
