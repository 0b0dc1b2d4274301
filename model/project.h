// The process-wide records of the one open project.
//
// They exist from program start to program end with the start values of
// model/records.h and model/design_data.h, which only a new project (File →
// Nuovo progetto) puts back. Only the
// thin entry points (computeBearingCapacity, ReadDataFile, WriteDataFile,
// ReadProjectFile, WriteProjectFile, WriteReport, CheckAnalysisInputs) and
// the dialogs bound to their fields touch them; everything below those
// works on explicit records.
#pragma once

#include "model/design_data.h"
#include "model/records.h"

#include <cstdint>
#include <optional>

namespace zolt {

extern GeometryData geometryData;
extern SoilData soilData;
extern AnalysisSettings analysisSettings;
extern BearingResult bearingResult;
// The rest of the design project: its identity, approach and ground.
extern DesignData designData;

// The method of the last successful engine run on these records, the one
// whose load and N-factors bearingResult holds: what the results and the
// reports name, whatever a dialog chose since. None before the first such
// run. Only computeBearingCapacity writes it.
extern std::optional<std::int32_t> analysedMethod;

} // namespace zolt
