#include "workflow/input_checks.h"

#include "model/project.h"

#include <cmath>

namespace zolt {

const char InputCheckMessages[kInputCheckCount][kInputCheckMessageSize] = {
    "Angolo di attrito e coesione entrambi nulli",
    "Angolo di attrito terreno-fondazione e aderenza entrambi nulli",
    "Fondazione non verificata a scorrimento",
};

namespace {

constexpr long double kPi = 3.141592653589793;
constexpr long double kOneOver180 = 1.0L / 180.0L;
constexpr long double kSquareCmPerSquareM = 10000;

// Sliding resistance of the base, kg: friction on the normal force plus
// adhesion over the whole base B x L (eccentricities play no part).
// Evaluated left to right in extended precision, the degree conversion as a
// product with 1/180.
long double slidingResistance(const GeometryData& g, const SoilData& s, double tanDelta) {
    return tanDelta * static_cast<long double>(g.N) + s.ca * kSquareCmPerSquareM * g.B * g.L;
}

} // namespace

double slidingTangent(double delta) {
    return std::tan(static_cast<double>(delta * kPi * kOneOver180));
}

InputCheckMask checkInputs(const GeometryData& geometry, const SoilData& soil) {
    // The tangent only when the sliding check runs.
    return checkInputs(geometry, soil, geometry.T > 0.0 ? slidingTangent(soil.delta) : 0.0);
}

InputCheckMask checkInputs(const GeometryData& geometry, const SoilData& soil, double tanDelta) {
    InputCheckMask mask = 0;
    if (soil.phi == 0.0 && soil.c == 0.0)
        mask |= kNoFrictionNoCohesion;
    if (soil.delta == 0.0 && soil.ca == 0.0)
        mask |= kNoInterfaceGrip;
    if (geometry.T > 0.0 && slidingResistance(geometry, soil, tanDelta) < geometry.T)
        mask |= kSliding;
    return mask;
}

InputCheckMask CheckAnalysisInputs() {
    return checkInputs(geometryData, soilData);
}

std::string inputCheckText(InputCheckMask mask) {
    std::string text;
    for (int bit = 0; bit < kInputCheckCount; ++bit) {
        if (mask & (1 << bit)) {
            text += InputCheckMessages[bit];
            text += '\n';
        }
    }
    return text;
}

} // namespace zolt
