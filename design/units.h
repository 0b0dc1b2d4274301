// The units of the new outputs beside the program's own. Inputs and the
// results record stay in kg (force), kg/cm2, m and degrees; verification,
// studies and the full report also show kN and kPa.
#pragma once

namespace zolt::design {

// Standard gravity: 1 kg (force) = 9.80665 N.
constexpr double kKilonewtonsPerKg = 0.00980665;
// 1 kg/cm2 = 9.80665 N / 1e-4 m2 = 98066.5 Pa.
constexpr double kKilopascalsPerKgPerCm2 = 98.0665;
// Cohesion and adhesion are entered in kg/cm2; forces over m2 want kg/m2.
constexpr double kSquareCmPerSquareM = 10000.0;

constexpr double kilonewtons(double kg) { return kg * kKilonewtonsPerKg; }
// A stress in kg/m2 in kPa, a unit weight in kg/m3 in kN/m3: the same factor.
constexpr double kilopascalsOfKgPerSquareMetre(double kgPerM2) {
    return kgPerM2 * kKilonewtonsPerKg;
}
constexpr double kilonewtonsPerCubicMetre(double kgPerM3) {
    return kgPerM3 * kKilonewtonsPerKg;
}
constexpr double kilopascals(double kgPerCm2) { return kgPerCm2 * kKilopascalsPerKgPerCm2; }

} // namespace zolt::design
