// The settlement against depth: the effective overburden sigma'v0, the
// stress increase under the centre and the cut-off 0.2 sigma'v0 on the
// stress axes (kg/cm2 and kPa, at the foot), the cumulative settlement on
// its own axis (cm, on top), over the layers and the saturated soil drawn
// as bands, with the base and the depth the method reached marked. Depth
// runs downwards from the ground surface.
#pragma once

#include "ground/ground_model.h"
#include "settlement/settlement.h"
#include "studies/chartexport.h"

#include <QStringList>

#include <string>

class QChart;

namespace zolt {

// The object names of the chart's series, for whoever reads it back.
inline constexpr const char* kOverburdenSeries = "sigmaV0";
inline constexpr const char* kIncreaseSeries = "deltaSigma";
inline constexpr const char* kCutoffSeries = "cutoff";
inline constexpr const char* kCumulativeSeries = "cumulative";
inline constexpr const char* kLayerBand = "layer";     // one per layer shown
inline constexpr const char* kWaterBand = "water";

// `s` on `profile` (the ground it was computed on) under a base at depth D.
QChart* NewSettlementChart(const settlement::Settlement& s, const ground::Profile& profile,
                           double D);

// The columns of the chart's values, with their units.
QStringList SettlementCsvHeader();
// One row per depth of the plot, in the columns of SettlementCsvHeader.
std::string SettlementCsv(const settlement::Settlement& s, studies::CsvForm form);

} // namespace zolt
