// The seismic bearing check at the SLV, pseudo-static: the site's
// coefficient kh, the Paolucci & Pecker factors of the soil's own inertia
// (the kinematic effect) and the resistance factors of NTC 2018.
//
// The structure's inertia (the inertial effect) comes in through the SLV
// combinations' own T, ex and ey; nothing here.
#pragma once

#include "model/design_data.h"

#include <optional>
#include <string>
#include <string_view>

namespace zolt::actions {

// betaS of NTC 2018 Tab. 7.11.I for subsoil category 'A'..'E' and ag/g:
// A 0.30 for 0.2 < ag/g <= 0.4, 0.27 for 0.1 < ag/g <= 0.2, 0.20 for
// ag/g <= 0.1; B to E 0.28, 0.24, 0.20 in the same ranges. None for
// another category, ag/g < 0 or ag/g > 0.4, where the table gives nothing.
std::optional<double> tableBetaS(char subsoil, double agOverG);

struct SeismicCoefficients {
    std::optional<double>
        betaS; // the user's or the table's; none when kh is given and the table has none
    double kh = 0.0;
    bool betaSGiven = false;
    bool khGiven = false;
    std::string error; // Italian; not empty when kh could not be found
};

// kh = betaS SS ST ag/g (NTC 2018 (7.11.3) and (7.11.5)), or the user's kh.
SeismicCoefficients seismicCoefficients(const SeismicData& site);

// Paolucci & Pecker (1997): the factors on the q, gamma and c terms of the
// ultimate load for the inertia of the soil under the footing,
//   zq = zgamma = (1 - kh / tan phi)^0.35, 0 when kh >= tan phi;
//   zc = 1 - 0.32 kh.
// With phi = 0 (undrained) zq = zgamma = 1 and only zc applies.
struct KinematicFactors {
    double zq = 1.0;
    double zga = 1.0;
    double zc = 1.0;
};
KinematicFactors kinematicFactors(double kh, double phiDegrees);

// NTC 2018 Tab. 7.11.II, shallow foundations at the SLV: bearing 2.3,
// sliding 1.1. §7.11.5.3.1 lets bearing take 1.8 when the inertia of the
// soil under the footing is accounted for.
inline constexpr double kSlvGammaRBearing = 2.3;
inline constexpr double kSlvGammaRBearingKinematic = 1.8;
inline constexpr double kSlvGammaRSliding = 1.1;

// The bearing factor that applies: 1.8 only when the user chose it and the
// kinematic effect is on, 2.3 otherwise.
double slvBearingGammaR(const SeismicData& site);
// The line every output gives about it.
std::string_view slvBearingGammaRNote(const SeismicData& site);

} // namespace zolt::actions
