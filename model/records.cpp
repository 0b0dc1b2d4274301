#include "model/records.h"

namespace zolt {

namespace {
// Member pointers in FactorIndex order, so that no reader depends on the
// physical layout of the record.
constexpr double BearingResult::*kFactorFields[kFactorCount] = {
    &BearingResult::sc, &BearingResult::sq, &BearingResult::sga,
    &BearingResult::dc, &BearingResult::dq, &BearingResult::dga,
    &BearingResult::ic, &BearingResult::iq, &BearingResult::iga,
    &BearingResult::gc, &BearingResult::gq, &BearingResult::gga,
    &BearingResult::bc, &BearingResult::bq, &BearingResult::bga,
};
} // namespace

double BearingResult::factor(int index) const { return this->*kFactorFields[index]; }
double& BearingResult::factor(int index) { return this->*kFactorFields[index]; }

} // namespace zolt
