// The footing's own weight and the backfill over it, as one G1 action.
#pragma once

#include "model/design_data.h"
#include "model/records.h"

#include <string_view>

namespace zolt::actions {

inline constexpr std::string_view kSelfWeightName = "Peso proprio fondazione e rinterro";

struct SelfWeightLoad {
    double footing = 0.0;  // B L t gammaConcrete, kg
    double backfill = 0.0; // B L (D - t) gammaFill when D > t, else 0, kg
    double total() const { return footing + backfill; }
};

// For a footing B x L (m) whose base is at depth D (m); `soilGamma`
// (kg/m3) stands for gammaFill when the project gives none. The backfill
// is taken over the whole plan B L: the column or wall that rises through
// it is the structure's own load.
SelfWeightLoad selfWeightLoad(const SelfWeight& weight, double B, double L, double D,
                              double soilGamma);

// The load as a centred vertical G1 action named kSelfWeightName.
Action selfWeightAction(const SelfWeight& weight, const GeometryData& footing, double soilGamma);

} // namespace zolt::actions
