// The frame that Hansen and Vesic share: the same depth factors, load-case
// split, inclination check, cohesion factors for slope and tilt, ultimate
// load formulas and corrected factors. Each method supplies only the
// formulas in which it differs.
#pragma once

#include "engine/methods.h"

namespace zolt::engine {

struct QGammaPair {
    double q = 1.0;
    double ga = 1.0;
};

struct HansenVesicFormulas {
    // Width over which the shape factors divide the full length L.
    double (*shapeWidth)(const MethodInput& in);
    // ic, iq, i-gamma under an inclined load; H = |T| L (kg m).
    FactorGroup (*inclinedLoad)(const MethodInput& in, double H);
    // gq and g-gamma from the ground slope omega.
    QGammaPair (*slope)(const MethodInput& in);
    // bq and b-gamma from the base tilt alpha.
    QGammaPair (*tilt)(const MethodInput& in);
    double (*nGamma)(const MethodInput& in);
};

MethodOutcome computeHansenVesic(const MethodInput& in, const HansenVesicFormulas& formulas);

} // namespace zolt::engine
