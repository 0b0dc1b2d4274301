// The ground model: the one place where the project's soil profile and
// water table become the values the bearing-capacity methods run on.
//
// Every computation past the described analysis (verification, sizing,
// comparison, studies, settlement, the full report) asks evaluateGround()
// for the footing it is about to compute, and verticalStress() for the
// stresses in the soil. With no water table and no layers the values are
// the homogeneous soil's, bit for bit, so those computations give exactly
// what they gave on SoilData alone.
//
// Sources: Das, Theoretical Foundation Engineering, §4.8 (water table above,
// at and below the base; gamma' + (d/B)(gamma - gamma') within B below it);
// EN 1997-1 Annex D.2 and D.3 (q' effective overburden, gamma' effective
// unit weight below the base, undrained q total); NTC 2018 §6.4.2.1 (short-
// and long-term conditions, both to be verified).
#pragma once

#include "engine/bearing_capacity.h"
#include "model/design_data.h"
#include "model/records.h"

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace zolt::ground {

// Unit weight of water, kg/m3 (9.80665 kN/m3).
constexpr double kWaterUnitWeight = 1000.0;

// A layer placed in depth. For the homogeneous ground one stratum holds
// SoilData from the surface to any depth.
struct Stratum {
    SoilLayer soil;    // the layer's values (thickness as given)
    double top = 0.0;  // m below the ground surface
    double bottom = std::numeric_limits<double>::infinity(); // m
};

struct Profile {
    std::vector<Stratum> strata; // contiguous from 0 down; the last reaches any depth
    std::optional<double> waterTable; // m below the ground surface
    bool layered = false; // false: the homogeneous SoilData
};

// The profile of the project's ground: its layers, or `soil` to any depth
// with ground.gammaSat below the water table and ground.settlement's
// parameters.
Profile buildProfile(const GroundData& ground, const SoilData& soil);

// Vertical stresses at depth z (m) below the ground surface, kg/m2: total
// (gamma above the water table, gammaSat below), pore pressure
// gammaW (z - zw) below the water table, and their difference.
struct Stress {
    double total = 0.0;
    double pore = 0.0;
    double effective = 0.0;
};
Stress verticalStress(const Profile& profile, double z);

// The stratum holding depth z; on a boundary, the lower one.
const Stratum& stratumAt(const Profile& profile, double z);

enum class Condition { Drained, Undrained };

// What one condition hands the methods, with the notes that qualify it.
struct GroundValues {
    Condition condition = Condition::Drained;
    double q = 0.0;      // vertical stress at the base that replaces gamma D, kg/m2
    double gamma = 0.0;  // unit weight of the self-weight term, kg/m3
    double phi = 0.0;    // degrees
    double c = 0.0;      // kg/cm2
    double delta = 0.0;  // degrees, of the layer the base rests on
    double ca = 0.0;     // kg/cm2, of the layer the base rests on
    double uplift = 0.0; // water pressure on the base times B L, kg
    std::vector<std::string> notes;

    // The values as the methods' soil record (gamma, phi, delta, c, ca).
    SoilData soil() const { return {gamma, phi, delta, c, ca}; }
};

struct GroundModel {
    GroundValues drained;                 // effective stresses, always
    std::optional<GroundValues> undrained; // total stresses, when cu is given within B
};

// The ground model for a footing of width B and length L (m) whose base is
// at depth D (m). Drained (effective stresses):
//   q' = integral over 0..D of gamma above the water table and
//        gammaSat - gammaW below it;
//   gamma', tan(phi) and c: thickness-weighted means over D..D+B;
//   delta and ca: those of the layer the base rests on;
//   U = gammaW max(0, D - zw) B L, the uplift on the base.
// Undrained (total stresses), when a layer within D..D+B has cu > 0:
//   phi = 0, c = the weighted mean of cu over D..D+B (0 where not given);
//   q the total vertical stress at the base, gamma the weighted mean of the
//   total unit weight over D..D+B, delta = 0, ca = cu of the base layer, no
//   uplift (EN 1997-1 6.5.3(12): undrained sliding resists with A' cu).
// A mean over values that are all equal is that value, bit for bit.
GroundModel evaluateGround(const Profile& profile, double B, double L, double D);

// The same from the project's records; the footing's B, L and D.
GroundModel evaluateGround(const GroundData& ground, const SoilData& soil,
                           const GeometryData& footing);

// The footing as the methods see it under `values`: the normal force less
// the uplift, which the soil skeleton does not carry (EN 1997-1
// 6.5.2.1(2): water pressures not caused by the load are actions on the base).
GeometryData methodFooting(const GeometryData& footing, const GroundValues& values);

// The engine options of `values`: its q in place of gamma D.
BearingOptions methodOptions(const GroundValues& values);

// One line naming the rule of each condition, as the outputs state it.
const char* conditionName(Condition condition); // "drenata", "non drenata"
const char* conditionRule(Condition condition);

inline constexpr const char* kWeakerLayerNote =
    "strato più debole entro 2B sotto il piano di posa: la media può sovrastimare la capacità "
    "portante";

} // namespace zolt::ground
