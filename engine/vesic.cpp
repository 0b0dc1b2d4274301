// Vesic: Hansen's frame with shape factors over the full width B,
// inclination factors with the exponent m, squared slope and tilt factors
// and its own N-gamma.
#include "engine/hansen_vesic.h"

#include <cmath>

namespace zolt::engine {

namespace {

// pi/180 as a double, used for omega in the cohesive N-gamma.
constexpr double kRadiansPerDegree = 0.017453292519943295;

struct VesicFormulas {
    static double shapeWidth(const MethodInput& in) { return in.geometry.B; }

    static FactorGroup inclinedLoad(const MethodInput& in, double H) {
        const GeometryData& g = in.geometry;
        const SoilData& s = in.soil;
        const CommonQuantities& cq = in.common;
        const bool cohesive = s.phi == 0.0;

        // From 1.5 (square) to 2 (long strip), on the full dimensions.
        const double m = (g.B / g.L + 2.0) / (g.B / g.L + 1.0);
        // H > V* leaves a negative base under a fractional power: the result is
        // NaN and the frame's check refuses the load.
        const double iq = cohesive ? 0.0 : std::pow(1.0 - H / cq.Vstar, m);
        const double ic = cohesive ? 1.0 - m * H / (cq.Aprime * s.ca * kCm2PerM2 * cq.Nc)
                                   : iq - (1.0 - iq) / (cq.Nq - 1.0);
        const double iga = cohesive ? 0.0 : std::pow(1.0 - H / cq.Vstar, m + 1.0);
        return {ic, iq, iga};
    }

    // The x of the slope factor (1 - x)^2 and of the tilt factor.
    static double slopeBase(const MethodInput& in) {
        return std::tan(toRadians(in.geometry.omega));
    }
    static double tiltBase(const MethodInput& in) {
        return toRadians(in.geometry.alpha) * in.common.tanPhi;
    }

    static QGammaPair slope(const MethodInput& in) {
        const double gq = square(1.0 - slopeBase(in));
        return {gq, gq};
    }

    static QGammaPair tilt(const MethodInput& in) {
        const double bq = square(1.0 - tiltBase(in));
        return {bq, bq};
    }

    // The squares (Vesic 1975, "Bearing capacity of shallow foundations",
    // Foundation Engineering Handbook, ch. 3) fall to 0 at x = 1 (omega = 45
    // degrees; alpha_r tan phi = 1) and grow again beyond, to 24 times the
    // flat-ground capacity at omega = 80 degrees: past x = 1 they are no
    // reduction and have no meaning.
    static bool slopeAndTiltWithinDomain(const MethodInput& in) {
        return !(slopeBase(in) > 1.0) && !(tiltBase(in) > 1.0);
    }

    static double nGamma(const MethodInput& in) {
        if (in.soil.phi == 0.0)
            return -2.0 * std::sin(in.geometry.omega * kRadiansPerDegree);
        return 2.0 * (in.common.Nq + 1.0) * in.common.tanPhi;
    }
};

} // namespace

MethodOutcome computeVesic(const MethodInput& in) {
    return computeHansenVesic<VesicFormulas>(in);
}

} // namespace zolt::engine
