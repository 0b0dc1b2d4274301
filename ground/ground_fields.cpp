#include "ground/ground_fields.h"

namespace zolt::ground {

namespace {

using S = SoilLayer;

// Lengths and strengths as the geometry and soil fields take them; the
// friction angles of a layer end at 50 degrees, past any natural soil
// (the steepest dense gravels stay below 45 degrees).
const LayerField kLayerFields[] = {
    {"thickness", "m", 0.01, 99.9, 2, &S::thickness},
    {"gamma", "kg/m³", 0.0, 9999.9, 1, &S::gamma},
    {"gammaSat", "kg/m³", kMinGammaSat, kMaxGammaSat, 1, &S::gammaSat},
    {"phi", "°", 0.0, 50.0, 1, &S::phi},
    {"delta", "°", 0.0, 50.0, 1, &S::delta},
    {"c", "kg/cm²", 0.0, 99.99, 3, &S::c},
    {"ca", "kg/cm²", 0.0, 99.99, 3, &S::ca},
    {"cu", "kg/cm²", 0.0, 99.99, 3, &S::cu},
};

} // namespace

std::span<const LayerField> layerFields() {
    return kLayerFields;
}

const LayerField* findLayerField(std::string_view name) {
    for (const auto& f : kLayerFields)
        if (f.name == name)
            return &f;
    return nullptr;
}

} // namespace zolt::ground
