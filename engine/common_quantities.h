// Quantities every method shares, computed once per engine run before the
// method is chosen, and the unit conventions they rest on.
#pragma once

#include "model/records.h"

namespace zolt::engine {

// pi as the engine has always used it.
constexpr double kPi = 3.141592653589793;
// Cohesion and adhesion are entered in kg/cm2; the formulas want kg/m2.
constexpr double kCm2PerM2 = 10000.0;
// Nc of a purely cohesive soil (phi = 0), where (Nq - 1)/tan(phi) has no value.
constexpr double kNcCohesive = 5.14;
// Loads at or below this magnitude (kg) count as no load at all.
constexpr double kNoLoadTolerance = 0.00001;

// Every angle enters and leaves the engine in degrees.
inline double toRadians(double degrees) {
    return degrees * kPi / 180.0;
}

inline double square(double x) {
    return x * x;
}

struct CommonQuantities {
    double phiR = 0.0;   // friction angle, rad
    double tanPhi = 0.0; // tan(phiR)
    double Kp = 0.0;     // passive earth pressure coefficient tan^2(45 deg + phi/2)
    double Nq = 0.0;     // general Nq = e^(pi tan phi) Kp (Terzaghi has its own)
    double Nc = 0.0;     // general Nc = (Nq - 1)/tan phi, 5.14 for phi = 0
    double cM = 0.0;     // cohesion, kg/m2
    double Bprime = 0.0; // effective width B - 2 ex, m
    double Lprime = 0.0; // effective length L - 2 ey, m
    double Aprime = 0.0; // effective area B' L', m2
    double q = 0.0;      // overburden pressure gamma D at the base, kg/m2
    double k = 0.0;      // depth term: D/B up to 1, arctan(D/B) beyond
    double Vstar = 0.0;  // adhesion plus normal load term of the inclination factors
    double theta = 0.0;  // load inclination |arctan(T/N)|, rad; 0 unless N > 0
    bool noLoad = false; // |N| and |T| both negligible
};

CommonQuantities computeCommonQuantities(const GeometryData& geometry, const SoilData& soil);

} // namespace zolt::engine
