// Strokes and fills a foundation drawing with QPainter: vectors on a PDF
// or a printer, pixels on an image.
#pragma once

#include "document/sketch.h"

#include <QImage>
#include <QPointF>

class QPainter;

namespace zolt::document {

// Paints `sketch` with its frame's origin at `origin` (painter units),
// `unitsPerMm` painter units to the millimetre. The frame itself is drawn
// as a thin border.
void paintSketch(QPainter& painter, const Sketch& sketch, const SketchRect& frame, QPointF origin,
                 double unitsPerMm);

// The same on a white image at `dotsPerInch`.
QImage sketchImage(const Sketch& sketch, const SketchRect& frame, double dotsPerInch);

} // namespace zolt::document
