// The bearing-capacity engine: ultimate load of a rectangular shallow
// foundation by Terzaghi, Meyerhof, Hansen or Vesic.
#pragma once

#include "model/records.h"

#include <cstdint>
#include <optional>

namespace zolt {

// Engine return values.
constexpr int kEngineOk = 0;
constexpr int kEngineFailed = 1;

// Runs `method` on the foundation `geometry` over `soil`, writing `result`
// and the ultimate load (kg) through `ultimateLoad`, which callers usually
// point at result.ultimateLoad. Returns kEngineOk, or kEngineFailed when the
// method finds no meaningful load (then the N-factors and the load keep
// their previous values). A method outside 0..3 returns kEngineOk with only
// the cleared factors, Kp and cohesionM written.
//
// Every call clears the fifteen factors and writes Kp and cohesionM. No
// meaningful load exists, and the call fails with nothing more written, for
// a friction angle of 90 degrees or more, for a resultant outside the base
// (B - 2 ex < 0 or L - 2 ey < 0), or when any factor or the load would not
// be finite. The call also fails when a formula is used past its domain,
// keeping only the call's depth factors: a correction factor of any group
// the method sets, an N-factor its load formula uses, or the load below
// zero; Hansen and Vesic on a ground slope of 90 degrees or more; Vesic
// when the base x of (1 - tan omega)^2 or (1 - alpha_r tan phi)^2 passes 1.
int computeBearing(std::int32_t method, const GeometryData& geometry, const SoilData& soil,
                   BearingResult& result, double* ultimateLoad);

// What a caller may change in the inputs of the methods beyond the two
// records. Left empty, the run is exactly the described one.
struct BearingOptions {
    // Vertical stress at the base in place of gamma D, kg/m2: the ground
    // model's effective (or total) overburden over a layered or submerged
    // profile. The self-weight term keeps the soil record's gamma.
    std::optional<double> overburden;
    // Factors on the three terms of the ultimate load, 1 = none: the
    // Paolucci & Pecker (1997) coefficients of the soil's own inertia
    // under an earthquake (zc on the cohesion term, zq on the overburden
    // term, zga on the self-weight term). With phi = 0 only zc applies,
    // in Terzaghi's and Meyerhof's formulas and in Hansen's and Vesic's
    // undrained form alike; the corrected N-factors do not include them.
    double zc = 1.0;
    double zq = 1.0;
    double zga = 1.0;
};

// computeBearing with `options`.
int computeBearing(std::int32_t method, const GeometryData& geometry, const SoilData& soil,
                   const BearingOptions& options, BearingResult& result, double* ultimateLoad);

// The engine entry on the process-wide records: reads soilData, writes
// bearingResult and, when a method 0..3 succeeds, analysedMethod. The
// forces N and T come before the eccentricities here.
int computeBearingCapacity(std::int32_t method, double B, double L, double D, double alpha,
                           double omega, double N, double T, double ex, double ey,
                           double* ultimateLoad);

} // namespace zolt
