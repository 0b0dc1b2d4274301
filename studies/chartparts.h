// Pieces the study charts share: the colour of each method, reference
// lines, and a second axis that shows the same scale in kN or kPa.
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <Qt>

class QAbstractAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace zolt::studies {

// Terzaghi, Meyerhof, Hansen, Vesic: the same colour in every chart.
QColor methodColor(int method);
// "Terzaghi", "Meyerhof", "Hansen", "Vesic"
QString methodName(int method);

// A value axis opposite `primary` (or on `side`, where given) whose range
// follows it times `factor`, with round ticks of its own.
QValueAxis* addScaledAxis(QChart* chart, QValueAxis* primary, double factor, const QString& title,
                          Qt::Alignment side = {});

// Ticks at round values (1, 2, 2.5 or 5 times a power of ten), about six
// of them, inside whatever range the axis has, with as many decimals as
// they need: the range can stay where the data are.
void useRoundTicks(QValueAxis* axis);

// A straight line from `from` to `to` on the axes `x` and `y`, drawn
// dashed: a reference, not data.
QLineSeries* addReferenceLine(QChart* chart, QAbstractAxis* x, QAbstractAxis* y, QPointF from,
                              QPointF to, const QString& name, const QColor& color);

// Shows `chart` in `view` and deletes the chart it showed before (a chart
// view only lets go of it).
void replaceChart(QChartView* view, QChart* chart);

// A value axis with a title and printf-style labels (Qt Charts writes them
// without the locale's separators).
QValueAxis* newValueAxis(const QString& title, const QString& labelFormat);

} // namespace zolt::studies
