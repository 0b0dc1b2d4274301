#include "model/project.h"

namespace zolt {

GeometryData geometryData;
SoilData soilData;
AnalysisSettings analysisSettings;
BearingResult bearingResult;

} // namespace zolt
