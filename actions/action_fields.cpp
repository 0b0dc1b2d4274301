#include "actions/action_fields.h"

namespace zolt::actions {

namespace {

// 999 999 999 kg is some 9.8 GN, past the load of any footing; the
// combinations sum several actions and are not bounded by the geometry's N.
constexpr double kMaxForce = 999999999.0;

const ForceField kForceFields[] = {
    {{"N", "kg", -kMaxForce, kMaxForce, 0}, &BaseForces::N},
    {{"TB", "kg", -kMaxForce, kMaxForce, 0}, &BaseForces::TB},
    {{"TL", "kg", -kMaxForce, kMaxForce, 0}, &BaseForces::TL},
    {{"MB", "kg·m", -kMaxForce, kMaxForce, 0}, &BaseForces::MB},
    {{"ML", "kg·m", -kMaxForce, kMaxForce, 0}, &BaseForces::ML},
};

} // namespace

std::span<const ForceField> forceFields() {
    return kForceFields;
}

} // namespace zolt::actions
