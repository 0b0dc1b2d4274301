#include "model/project.h"

namespace zolt {

GeometryData geometryData;
SoilData soilData;
AnalysisSettings analysisSettings;
BearingResult bearingResult;
DesignData designData;
std::optional<std::int32_t> analysedMethod;

} // namespace zolt
