#include "design/comparison.h"

#include "engine/bearing_capacity.h"
#include "workflow/input_checks.h"

namespace zolt::design {

Comparison compareMethods(const GeometryData& geometry, const SoilData& soil,
                          double safetyFactor) {
    Comparison c;
    c.refusal = checkInputs(geometry, soil);
    for (int m = Terzaghi; m <= Vesic; ++m) {
        MethodRun& run = c.runs[static_cast<std::size_t>(m)];
        run.method = m;
        if (c.refused())
            continue;
        run.engineResult =
            computeBearing(m, geometry, soil, run.result, &run.result.ultimateLoad);
        if (run.engineResult == kEngineOk)
            run.pressures =
                pressuresOf(run.result.ultimateLoad, geometry.B, geometry.L, safetyFactor);
    }
    return c;
}

} // namespace zolt::design
