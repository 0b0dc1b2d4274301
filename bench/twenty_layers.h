// The project of the speed targets, as the project file benchmark has it:
// a footing on 20 layers with the water table within B below the base and
// an undrained strength in two layers of three, so that both conditions
// are computed.
#pragma once

#include "model/design_data.h"

#include <string>

namespace zolt::bench {

inline ProjectDocument twentyLayers() {
    ProjectDocument d;
    d.geometry = {2.5, 3.0, 1.5, 0.0, 0.0, 0.1, 0.05, 260000.0, 15000.0};
    d.design.info = {"Plinto P1", "Committente", "Località", "Progettista", "Note sul progetto."};
    d.design.ground.waterTable = 2.3;
    for (int i = 0; i < 20; ++i)
        d.design.ground.layers.push_back({"Strato " + std::to_string(i + 1),
                                          0.75 + 0.01 * i,
                                          1700.0 + 7.5 * i,
                                          1900.0 + 9.25 * i,
                                          24.0 + 0.5 * i,
                                          16.0 + 0.25 * i,
                                          0.01 * (i % 4),
                                          0.005 * (i % 4),
                                          0.1 * (i % 3),
                                          {},
                                          ""});
    return d;
}

} // namespace zolt::bench
