#include "verification/approach_choice.h"

namespace zolt {

namespace {
const design::Approach* chosen = nullptr;
}

const design::Approach* ChosenApproach() {
    return chosen;
}

void SetChosenApproach(const design::Approach* approach) {
    chosen = approach;
}

} // namespace zolt
