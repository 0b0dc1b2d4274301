#include "model/project.h"

namespace zolt {

GeometryData geometryData;
SoilData soilData;
AnalysisSettings analysisSettings;
BearingResult bearingResult;
DesignData designData;

} // namespace zolt
