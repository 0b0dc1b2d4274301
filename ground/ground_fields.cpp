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

using P = SettlementParameters;

// E from 0.1 kg/cm2 (0.01 MPa, below any peat) to about 98 GPa, past
// sound rock; nu within the bounds of an isotropic elastic solid that
// does not swell under compression, 0.5 the undrained one; e0 up to 30,
// past the 10-25 of fibrous peats (Huat, Prasad, Asadi & Kazemian,
// Geotechnics of Organic Soils and Peat, 2014, Table 3.13), and Cc up to
// 15, what such a void ratio gives at a compression ratio Cc/(1 + e0) of
// 0.5; Nspt from 1 blow to 100, beyond which the test stops at refusal.
const SettlementField kSettlementFields[] = {
    {"E", "modulo di Young", "kg/cm²", 0.1, 999999.9, 1, &P::E},
    {"nu", "coefficiente di Poisson", "", 0.0, 0.5, 2, &P::nu},
    {"Eoed", "modulo edometrico", "kg/cm²", 0.1, 999999.9, 1, &P::Eoed},
    {"Cc", "indice di compressione", "", 0.001, 15.0, 3, &P::Cc},
    {"Cr", "indice di ricompressione", "", 0.0, 15.0, 3, &P::Cr},
    {"e0", "indice dei vuoti iniziale", "", 0.01, 30.0, 3, &P::e0},
    {"sigmaP", "tensione di preconsolidazione", "kg/cm²", 0.0, 999.99, 2, &P::sigmaP},
    {"Nspt", "numero di colpi SPT", "", 1.0, 100.0, 1, &P::Nspt},
};

} // namespace

std::span<const SettlementField> settlementFields() {
    return kSettlementFields;
}

const SettlementField* findSettlementField(std::string_view name) {
    for (const auto& f : kSettlementFields)
        if (f.name == name)
            return &f;
    return nullptr;
}

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
