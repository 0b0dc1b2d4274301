// The four calculation methods. Each works on explicit inputs and returns
// its whole outcome; only the engine frame (bearing_capacity.cpp) decides
// what of it reaches the results record.
#pragma once

#include "engine/common_quantities.h"
#include "model/records.h"

#include <optional>

namespace zolt::engine {

// One group of correction factors for the cohesion, overburden and
// self-weight terms. Groups are set or left out whole.
struct FactorGroup {
    double c = 1.0;
    double q = 1.0;
    double ga = 1.0;
};

struct MethodOutcome {
    // False when the method's own check refused the load (a formula used
    // past its domain); then only `depth` may carry values and nothing else
    // of the outcome is meaningful.
    bool accepted = true;
    double Nq = 0.0, NqCorr = 0.0;
    double Nc = 0.0, NcCorr = 0.0;
    double Nga = 0.0, NgaCorr = 0.0;
    double ultimateLoad = 0.0; // kg
    // Hansen's and Vesic's form for phi = 0: the load takes 5.14 and none
    // of the N-factors, which are still shown.
    bool undrainedForm = false;
    std::optional<FactorGroup> shape, depth, inclination, slope, tilt;
    std::optional<double> terzaghiA;
};

struct MethodInput {
    const GeometryData& geometry;
    const SoilData& soil;
    const CommonQuantities& common;
    // The factors on the cohesion, overburden and self-weight terms of the
    // load (BearingOptions::zc, zq, zga), each the last factor of its term
    // so that 1 leaves the load bit for bit.
    FactorGroup terms{};
};

// The cases the methods tell apart, for the methods and for whatever shows
// their formulas.
bool isSquareForTerzaghi(const GeometryData& geometry); // |B - L| < 0.01 m
bool isInclinedForMeyerhof(const CommonQuantities& common); // theta > 0.0001 rad
bool isInclinedForHansenVesic(const CommonQuantities& common); // a load, and theta != 0

MethodOutcome computeTerzaghi(const MethodInput& in);
MethodOutcome computeMeyerhof(const MethodInput& in);
MethodOutcome computeHansen(const MethodInput& in);
MethodOutcome computeVesic(const MethodInput& in);

} // namespace zolt::engine
