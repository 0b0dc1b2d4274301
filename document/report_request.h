// What the full calculation report is made of: the project's inputs and
// the choices of the moment. Plain records, no Qt, so that zolt-calc can ask
// for a report without loading the document code on every run.
#pragma once

#include "design/approach.h"
#include "model/design_data.h"
#include "model/records.h"

#include <optional>
#include <string>

namespace zolt::document {

enum class ReportFormat { Pdf, Odt };

struct ReportRequest {
    std::string projectName; // the project's or data file's name; empty: none
    std::string date;        // YYYY-MM-DD, the day the report is made
    GeometryData geometry;
    SoilData soil;
    AnalysisSettings settings;
    // False before the first successful analysis of this run: the report
    // then says so instead of printing results.
    bool analysed = true;
    // The verification section's approach; null for none.
    const design::Approach* approach = nullptr;
    // Who and where: the title heads every page in place of the file's
    // name, and the first page lists every field given.
    ProjectInfo info;
    // The profile and the water table. With neither the report is that of
    // the dry homogeneous soil; with either, the inputs list them, the
    // section shows them, and the comparison and the verification run on
    // the ground model.
    GroundData ground;
    // The project's actions and seismic site: when the actions give
    // combinations, the verification checks every one of them in place of
    // the geometry's N, T, ex and ey, and their serviceability combinations
    // load the footing for the settlement; none: the geometry's N.
    std::optional<ActionsData> actions;
    std::optional<SeismicData> seismic;
    // The settlement's method, combination type, limit and years; none: no
    // section on the settlement.
    std::optional<SettlementSettings> settlement;
};

} // namespace zolt::document
