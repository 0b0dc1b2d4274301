// The calculation report: the results of the last analysis as plain text,
// written to "rel.txt" in the current folder in Windows-1252.
#pragma once

#include "model/records.h"

#include <string>

namespace zolt {

inline constexpr const char* kReportFileName = "rel.txt";

// The report as UTF-8 text with "\n" line ends. B, L and the safety factor
// are those of now; `result` is whatever the last engine run left.
std::string reportText(const AnalysisSettings& settings, const GeometryData& geometry,
                       const BearingResult& result);

// The bytes of the report file for `text` (UTF-8): Windows-1252, with the
// platform's line ends.
std::string reportFileBytes(const std::string& text);

// Writes `text` (UTF-8) to `path` in Windows-1252, replacing the file only
// once it is complete. False when the file cannot be written.
bool writeReportFile(const std::string& path, const std::string& text);

// The report of the process-wide records into kReportFileName, titled with
// the analysed method; false means: show the open-error message and open no
// window.
bool WriteReport();

} // namespace zolt
