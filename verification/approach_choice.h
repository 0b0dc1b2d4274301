// The design approach the user chose in the verification dialog. Kept for
// the run of the program, like the calculation method, and never saved;
// the full report includes the verification with it.
#pragma once

#include "design/approach.h"

namespace zolt {

// Null until the user chose an approach.
const design::Approach* ChosenApproach();
void SetChosenApproach(const design::Approach* approach);

} // namespace zolt
