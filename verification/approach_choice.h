// The design approach of the verification: the project's own
// (designData.approach, saved in the project file), and whether the user
// chose it for this project, by choosing it in the verification or sizing
// dialog or by opening a project, which holds one. The full report includes
// the verification only with a chosen approach.
#pragma once

#include "design/approach.h"

namespace zolt {

// The project's approach once chosen; null before.
const design::Approach* ChosenApproach();
// Writes `approach` into the project and counts it as chosen; null puts
// back the approach of a new project and counts none as chosen.
void SetChosenApproach(const design::Approach* approach);

// The project's approach, chosen or not (the one the dialogs start from);
// NTC 2018 for an id no approach has.
const design::Approach& ProjectApproach();

} // namespace zolt
