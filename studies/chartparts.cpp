#include "studies/chartparts.h"

#include "workflow/result_rows.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zolt::studies {

QColor methodColor(int method) {
    // Four hues that stay apart also for the common colour-vision
    // deficiencies (Okabe-Ito).
    static const QColor colors[] = {QColor(0x00, 0x72, 0xB2), QColor(0xD5, 0x5E, 0x00),
                                    QColor(0x00, 0x9E, 0x73), QColor(0xCC, 0x79, 0xA7)};
    return colors[method & 3];
}

QString methodName(int method) {
    const std::string_view name = zolt::methodName(method);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

namespace {

constexpr double kRoundTicks = 6.0;

// The round step nearest above `raw`, and whether it is 2.5 times a power
// of ten (which needs one decimal more).
std::pair<double, bool> roundStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double mantissa : {1.0, 2.0, 2.5, 5.0})
        if (raw <= mantissa * power)
            return {mantissa * power, mantissa == 2.5};
    return {10.0 * power, false};
}

void placeRoundTicks(QValueAxis* axis, double min, double max) {
    if (!(max > min) || !std::isfinite(max - min))
        return;
    const auto [step, quarter] = roundStep((max - min) / kRoundTicks);
    const int decimals =
        std::max(0, static_cast<int>(-std::floor(std::log10(step))) + (quarter ? 1 : 0));
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

} // namespace

void useRoundTicks(QValueAxis* axis) {
    axis->setTickType(QValueAxis::TicksDynamic);
    QObject::connect(axis, &QValueAxis::rangeChanged, axis,
                     [axis](qreal min, qreal max) { placeRoundTicks(axis, min, max); });
    placeRoundTicks(axis, axis->min(), axis->max());
}

QValueAxis* addScaledAxis(QChart* chart, QValueAxis* primary, double factor, const QString& title,
                          Qt::Alignment side) {
    auto* axis = newValueAxis(title, primary->labelFormat());
    axis->setGridLineVisible(false);
    if (side == Qt::Alignment())
        side = primary->orientation() == Qt::Vertical ? Qt::AlignRight : Qt::AlignTop;
    chart->addAxis(axis, side);
    useRoundTicks(axis);
    const auto follow = [axis, factor](qreal min, qreal max) {
        axis->setRange(min * factor, max * factor);
    };
    QObject::connect(primary, &QValueAxis::rangeChanged, axis, follow);
    follow(primary->min(), primary->max());
    return axis;
}

QLineSeries* addReferenceLine(QChart* chart, QAbstractAxis* x, QAbstractAxis* y, QPointF from,
                              QPointF to, const QString& name, const QColor& color) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->append(from);
    line->append(to);
    QPen pen(color);
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    chart->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
    return line;
}

QValueAxis* newValueAxis(const QString& title, const QString& labelFormat) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(labelFormat);
    return axis;
}

} // namespace zolt::studies

namespace zolt::studies {

void replaceChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace zolt::studies
