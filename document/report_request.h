// What the full calculation report is made of: the project's inputs and
// the choices of the moment. Plain records, no Qt, so that zolt-calc can ask
// for a report without loading the document code on every run.
#pragma once

#include "design/approach.h"
#include "model/records.h"

#include <string>

namespace zolt::document {

enum class ReportFormat { Pdf, Odt };

struct ReportRequest {
    std::string projectName; // the data file's name; empty: "progetto senza nome"
    std::string date;        // YYYY-MM-DD, the day the report is made
    GeometryData geometry;
    SoilData soil;
    AnalysisSettings settings;
    // False before the first successful analysis of this run: the report
    // then says so instead of printing results.
    bool analysed = true;
    // The verification section's approach; null for none.
    const design::Approach* approach = nullptr;
};

} // namespace zolt::document
