// Hansen: shape factors over the effective width B', fifth-power
// inclination and slope factors, exponential base-tilt factors.
#include "engine/hansen_vesic.h"

#include <cmath>

namespace zolt::engine {

// Hansen and Vesic share the load case: Vesic's branch is built on the
// same frame.
bool isInclinedForHansenVesic(const CommonQuantities& common) {
    return !common.noLoad && common.theta != 0.0;
}

namespace {

// alpha/450 in i-gamma, held in extended precision and multiplied.
constexpr long double kOneOver450 = 1.0L / 450.0L;
// -2 pi/180 and -2.7 pi/180 per degree of base tilt, in bq and b-gamma.
constexpr double kTiltQPerDegree = -0.0349065850398866;
constexpr double kTiltGammaPerDegree = -0.0471238898038469;

struct HansenFormulas {
    static double shapeWidth(const MethodInput& in) { return in.common.Bprime; }

    static FactorGroup inclinedLoad(const MethodInput& in, double H) {
        const SoilData& s = in.soil;
        const CommonQuantities& cq = in.common;
        const bool cohesive = s.phi == 0.0;

        const double iq = cohesive ? 0.0 : std::pow(1.0 - 0.5 * H / cq.Vstar, 5.0);
        const double ic = cohesive ? 0.5 - 0.5 * std::sqrt(1.0 - H / (cq.Aprime * s.ca * kCm2PerM2))
                                   : iq - (1.0 - iq) / (cq.Nq - 1.0);
        const double tiltedCoefficient = static_cast<double>(0.7 - in.geometry.alpha * kOneOver450);
        const double iga =
            s.phi > 0.0 ? std::pow(1.0 - tiltedCoefficient * H / cq.Vstar, 5.0) : 0.0;
        return {ic, iq, iga};
    }

    static QGammaPair slope(const MethodInput& in) {
        const double gq = std::pow(1.0 - 0.5 * std::tan(toRadians(in.geometry.omega)), 5.0);
        return {gq, gq};
    }

    static QGammaPair tilt(const MethodInput& in) {
        const double alpha = in.geometry.alpha;
        const double tanPhi = in.common.tanPhi;
        return {std::exp(alpha * kTiltQPerDegree * tanPhi),
                std::exp(alpha * kTiltGammaPerDegree * tanPhi)};
    }

    static double nGamma(const MethodInput& in) {
        return 1.5 * (in.common.Nq - 1.0) * in.common.tanPhi;
    }

    // Past 63.43 degrees gq turns negative, which the engine frame refuses
    // as it refuses any negative factor; the tilt factors are exponentials.
    static bool slopeAndTiltWithinDomain(const MethodInput&) { return true; }
};

} // namespace

MethodOutcome computeHansen(const MethodInput& in) {
    return computeHansenVesic<HansenFormulas>(in);
}

} // namespace zolt::engine
