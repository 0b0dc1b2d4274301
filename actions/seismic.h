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
//   zq = zgamma = (1 - kh / tan phi)^0.35, 0 when kh >= tan phi
//     ("Seismic bearing capacity of shallow strip foundations on dry
//     soils", Soils and Foundations 37(3));
//   zc = 1 - 0.32 kh ("Soil inertia effects on the bearing capacity of
//     rectangular foundations on cohesive soils", Engineering Structures
//     19(8)).
// With phi = 0 (undrained) zq = zgamma = 1 and only zc applies. kh 0.15
// and phi 30 degrees give zq 0.9001 and zc 0.952.
struct KinematicFactors {
    double zq = 1.0;
    double zga = 1.0;
    double zc = 1.0;
};
KinematicFactors kinematicFactors(double kh, double phiDegrees);

// NTC 2018 Tab. 7.11.II, shallow foundations at the SLV: bearing 2.3,
// sliding 1.1, with unit factors on actions and soil (§7.11.1). §7.11.5.3.1
// (and Circolare 7/2019, C7.11.5.3.1) lets bearing take 1.8 when the
// inertia of the soil under the footing is accounted for explicitly.
inline constexpr double kSlvGammaRBearing = 2.3;
inline constexpr double kSlvGammaRBearingKinematic = 1.8;
inline constexpr double kSlvGammaRSliding = 1.1;

// The bearing factor that applies: 1.8 only when the user chose it and the
// kinematic effect is on, 2.3 otherwise.
double slvBearingGammaR(const SeismicData& site);
// The line every output gives about it.
std::string_view slvBearingGammaRNote(const SeismicData& site);

// Where the sources part ways, as the help page and the report state it.
inline constexpr std::string_view kBetaSSourceNote =
    "βs viene dalla Tab. 7.11.I delle NTC 2018, scritta per la stabilità dei pendii "
    "(§7.11.3.5.2): la Circolare 617/2009 (C7.11.5.3.1) la indicava anche per l'effetto "
    "cinematico sulle fondazioni, la Circolare 7/2019 lascia il coefficiente al progettista; "
    "βs e kh si possono quindi indicare a mano.";
inline constexpr std::string_view kKinematicSourceNote =
    "zc = 1 − 0.32 kh è la formula di Paolucci e Pecker (1997) per i terreni coesivi e qui si "
    "applica in ogni condizione; la Circolare 617/2009 riduceva il solo termine di Nγ.";

} // namespace zolt::actions
