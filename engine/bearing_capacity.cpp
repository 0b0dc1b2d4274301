#include "engine/bearing_capacity.h"

#include "model/project.h"

namespace zolt {

int computeBearing(std::int32_t, const GeometryData&, const SoilData&, BearingResult&, double*) {
    return kEngineFailed; // placeholder until the methods land
}

int computeBearingCapacity(std::int32_t method, double B, double L, double D, double alpha,
                           double omega, double N, double T, double ex, double ey,
                           double* ultimateLoad) {
    const GeometryData geometry{B, L, D, alpha, omega, ex, ey, N, T};
    return computeBearing(method, geometry, soilData, bearingResult, ultimateLoad);
}

} // namespace zolt
