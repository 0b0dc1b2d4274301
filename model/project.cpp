#include "model/project.h"

namespace zolt {

GeometryData geometryData;
SoilData soilData;
AnalysisSettings analysisSettings;
BearingResult bearingResult;
std::optional<std::int32_t> analysedMethod;

} // namespace zolt
