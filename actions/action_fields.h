// The input fields of actions, combinations, the self-weight and the
// seismic site, with the ranges that the dialogs and the project file both
// accept. Units on every field.
#pragma once

#include "model/design_data.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace zolt::actions {

struct NumberField {
    std::string_view name; // the project file's key
    std::string_view unit; // as the table headers show it
    double minimum;        // inclusive
    double maximum;        // inclusive
    int decimals;          // digits shown after the point

    bool accepts(double value) const { return value >= minimum && !(value > maximum); }
};

struct ForceField : NumberField {
    double BaseForces::*field;
};

// N, TB, TL, MB, ML in the file's order: forces in kg and moments in kg m,
// of either sign (an uplifting wind, a moment either way).
std::span<const ForceField> forceFields();

// Names of actions and given combinations, in characters (UTF-8 code points).
constexpr std::size_t kMaxActionNameLength = 120;
// Characteristic actions of one project, and given combinations: a
// structural program's export of a building's load cases fits.
constexpr std::size_t kMaxActions = 100;
constexpr std::size_t kMaxGivenCombinations = 1000;

// The self-weight: footing thickness, unit weights of concrete and backfill.
inline constexpr NumberField kThicknessField{"thickness", "m", 0.01, 99.9, 2};
inline constexpr NumberField kGammaConcreteField{"gammaConcrete", "kg/m³", 1000.0, 9999.9, 1};
inline constexpr NumberField kGammaFillField{"gammaFill", "kg/m³", 0.0, 9999.9, 1};

// The seismic site. SS from 0.90 to 1.80 and ST from 1.0 to 1.4 are the
// bounds of NTC 2018 Tab. 3.2.IV and Tab. 3.2.V over every category; ag/g
// past 1 is no Italian site's.
inline constexpr NumberField kAgOverGField{"agOverG", "", 0.0, 1.0, 3};
inline constexpr NumberField kSSField{"SS", "", 0.9, 1.8, 2};
inline constexpr NumberField kSTField{"ST", "", 1.0, 1.4, 2};
inline constexpr NumberField kBetaSField{"betaS", "", 0.0, 1.0, 2};
inline constexpr NumberField kKhField{"kh", "", 0.0, 1.0, 4};

} // namespace zolt::actions
