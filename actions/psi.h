// The combination factors of variable actions.
//
// NTC 2018 §2.5.2 and Tab. 2.5.I; the same values as EN 1990 Annex A1,
// Table A1.1 (buildings, recommended values). psi0 Qk is the combination
// value, psi1 Qk the frequent and psi2 Qk the quasi-permanent value.
#pragma once

#include "model/design_data.h"

namespace zolt::actions {

struct PsiFactors {
    double psi0;
    double psi1;
    double psi2;

    bool operator==(const PsiFactors&) const = default;
};

PsiFactors psiFactors(VariableCategory category);

} // namespace zolt::actions
