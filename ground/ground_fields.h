// The input fields of the ground: the numbers of a layer and of the
// homogeneous soil's water table, with the ranges that the profile dialog
// and the project file both accept. Units on every field.
#pragma once

#include "model/design_data.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace zolt::ground {

struct LayerField {
    std::string_view name; // the project file's key
    std::string_view unit; // as the table headers show it
    double minimum;        // inclusive
    double maximum;        // inclusive
    int decimals;          // digits shown after the point
    double SoilLayer::*field;

    bool accepts(double value) const { return value >= minimum && !(value > maximum); }
};

// thickness, gamma, gammaSat, phi, delta, c, ca, cu, in the file's order.
std::span<const LayerField> layerFields();
const LayerField* findLayerField(std::string_view name);

// The settlement parameters of a layer, or of the homogeneous soil, each
// optional: absent means not given. The ranges bound what a soil can have
// (moduli from a peat to a soft rock, indices from a dense sand to a peat,
// a blow count up to the refusal of the test) and keep every method away
// from a division by zero.
struct SettlementField {
    std::string_view name;  // the project file's key
    std::string_view label; // what it is, in Italian
    std::string_view unit;  // as the table headers show it; empty for a number
    double minimum;         // inclusive
    double maximum;         // inclusive
    int decimals;           // digits shown after the point
    std::optional<double> SettlementParameters::*field;

    bool accepts(double value) const { return value >= minimum && !(value > maximum); }
};

// E, nu, Eoed, Cc, Cr, e0, sigmaP, Nspt, in the file's order.
std::span<const SettlementField> settlementFields();
const SettlementField* findSettlementField(std::string_view name);

// The admissible settlement, cm, and the time of the creep terms, years.
constexpr double kMinSettlementLimit = 0.01;
constexpr double kMaxSettlementLimit = 100.0;
constexpr double kMinSettlementYears = 0.0;
constexpr double kMaxSettlementYears = 1000.0;

// A layer's name: at most this many characters (UTF-8 code points).
constexpr std::size_t kMaxLayerNameLength = 60;
// Layers of one profile.
constexpr std::size_t kMaxLayers = 50;

// Depth of the water table below the ground surface, m.
constexpr double kMinWaterTable = 0.0;
constexpr double kMaxWaterTable = 99.9;
// Saturated unit weight, kg/m3: no lighter than water, so that the
// effective unit weight below the water table is never negative.
constexpr double kMinGammaSat = 1000.0;
constexpr double kMaxGammaSat = 9999.9;

} // namespace zolt::ground
