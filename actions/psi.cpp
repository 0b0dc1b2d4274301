#include "actions/psi.h"

namespace zolt::actions {

PsiFactors psiFactors(VariableCategory category) {
    using VC = VariableCategory;
    // NTC 2018 Tab. 2.5.I, row by row (EN 1990 Table A1.1 gives the same).
    switch (category) {
    case VC::A: // residential
    case VC::B: // offices
    case VC::G: // traffic areas, vehicles > 30 kN
        return {0.7, 0.5, 0.3};
    case VC::C: // congregation areas
    case VC::D: // shopping areas
    case VC::F: // traffic areas, vehicles <= 30 kN
        return {0.7, 0.7, 0.6};
    case VC::E: // storage, industrial use
        return {1.0, 0.9, 0.8};
    case VC::H: // roofs accessible for maintenance only
        return {0.0, 0.0, 0.0};
    case VC::Wind:
        return {0.6, 0.2, 0.0};
    case VC::SnowLow: // at or below 1000 m above sea level
        return {0.5, 0.2, 0.0};
    case VC::SnowHigh: // above 1000 m
        return {0.7, 0.5, 0.2};
    case VC::Temperature: // thermal actions (not fire)
        return {0.6, 0.5, 0.0};
    }
    return {0.7, 0.5, 0.3};
}

} // namespace zolt::actions
