#include "verification/approach_choice.h"

#include "model/project.h"

namespace zolt {

namespace {
bool chosen = false;
}

const design::Approach* ChosenApproach() {
    return chosen ? &ProjectApproach() : nullptr;
}

void SetChosenApproach(const design::Approach* approach) {
    chosen = approach != nullptr;
    designData.approach = approach != nullptr ? std::string(approach->id) : DesignData{}.approach;
}

const design::Approach& ProjectApproach() {
    const design::Approach* approach = design::findApproach(designData.approach);
    return approach != nullptr ? *approach : design::approaches()[0];
}

} // namespace zolt
