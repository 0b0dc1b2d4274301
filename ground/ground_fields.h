// The input fields of the ground: the numbers of a layer and of the
// homogeneous soil's water table, with the ranges that the profile dialog
// and the project file both accept. Units on every field.
#pragma once

#include "model/design_data.h"

#include <cstddef>
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
