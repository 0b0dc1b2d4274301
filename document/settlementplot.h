// The settlement against depth for the full report, painted with QPainter
// (vectors on a PDF or a printer, pixels on an image): the effective
// overburden sigma'v0, the stress increase under the centre and the
// cut-off 0.2 sigma'v0 on the stress axis (kg/cm2, at the foot), the
// cumulative settlement on its own axis (cm, on top), over the layers and
// the saturated soil drawn as bands, with the base and the depth the method
// reached marked and a legend below. Depth runs downwards from the surface.
#pragma once

#include "ground/ground_model.h"
#include "settlement/settlement.h"

#include <QImage>
#include <QPointF>

class QPainter;

namespace zolt::document {

// The drawing's height, mm, at any width.
constexpr double kSettlementPlotHeightMm = 120.0;

// Paints the plot of `s` on `profile` (base at depth D) in a frame
// `widthMm` x kSettlementPlotHeightMm with its origin at `origin`
// (painter units), `unitsPerMm` painter units to the millimetre.
void paintSettlementPlot(QPainter& painter, const settlement::Settlement& s,
                         const ground::Profile& profile, double D, double widthMm, QPointF origin,
                         double unitsPerMm);

// The same on a white image at `dotsPerInch`.
QImage settlementPlotImage(const settlement::Settlement& s, const ground::Profile& profile,
                           double D, double widthMm, double dotsPerInch);

} // namespace zolt::document
