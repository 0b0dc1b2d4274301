// The design approaches of the ultimate-limit-state verification: NTC 2018
// Approach 2 and the three design approaches of EN 1997-1, each with its
// partial factors on resistance (R sets) and on soil parameters (M sets).
// The actions are the user's: N and T are taken as design values of the A1
// combination, already factored by the structural analysis.
#pragma once

#include <span>
#include <string_view>

namespace zolt::design {

// Partial factors on the soil parameters (EN 1997-1 Table A.4, NTC 2018
// Tab. 6.2.II): tan(phi) and tan(delta), drained cohesion and adhesion,
// undrained cohesion (phi = 0) and its adhesion. Unit weight: 1.
struct SoilFactors {
    double tanPhi;
    double cohesion;
    double undrainedCohesion;

    // All factors 1: the design values are the project's.
    constexpr bool isIdentity() const {
        return tanPhi == 1.0 && cohesion == 1.0 && undrainedCohesion == 1.0;
    }
};

inline constexpr SoilFactors kSoilFactorsM1{1.0, 1.0, 1.0};
inline constexpr SoilFactors kSoilFactorsM2{1.25, 1.25, 1.4};

struct Approach {
    std::string_view id;    // for the command line and JSON: "ntc2018"
    std::string_view label; // Italian, as every output shows it
    double gammaRv;         // partial factor on bearing resistance
    double gammaRh;         // partial factor on sliding resistance
    std::string_view soilSet; // "M1" or "M2"
    SoilFactors soil;
};

// The four approaches, in the order the program offers them.
std::span<const Approach> approaches();

// The approach with command-line id `id`; null for none.
const Approach* findApproach(std::string_view id);

// The second combination of EN 1997-1 Design Approach 1 (A2+M2+R1),
// id "ec7-da1-c2". It is not among approaches(): the verification dialog,
// the sizing dialog and zolt-calc --verify offer those four, and verifying
// "ec7-da1" on characteristic actions runs this one beside it.
const Approach& da1Combination2();

// findApproach(), and "ec7-da1-c2" for da1Combination2().
const Approach* findAnyApproach(std::string_view id);

// The line every verification output carries about the actions.
inline constexpr std::string_view kDesignActionsNote =
    "N e T sono assunti come azioni di progetto (combinazione A1)";

} // namespace zolt::design
