#include "actions/self_weight.h"

#include <string>

namespace zolt::actions {

SelfWeightLoad selfWeightLoad(const SelfWeight& weight, double B, double L, double D,
                              double soilGamma) {
    const double area = B * L;
    const double fill = weight.gammaFill.value_or(soilGamma);
    SelfWeightLoad load;
    load.footing = area * weight.thickness * weight.gammaConcrete;
    if (D > weight.thickness)
        load.backfill = area * (D - weight.thickness) * fill;
    return load;
}

Action selfWeightAction(const SelfWeight& weight, const GeometryData& footing, double soilGamma) {
    Action a;
    a.name = std::string(kSelfWeightName);
    a.kind = ActionKind::G1;
    a.forces.N = selfWeightLoad(weight, footing.B, footing.L, footing.D, soilGamma).total();
    return a;
}

} // namespace zolt::actions
