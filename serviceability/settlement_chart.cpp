#include "serviceability/settlement_chart.h"

#include "design/units.h"
#include "studies/chartparts.h"
#include "studies/studyformat.h"

#include <QAreaSeries>
#include <QBrush>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zolt {

namespace {

using studies::fixedText;

// The soils of the profile drawing in "Stratigrafia e falda", lighter so
// that the grid and the curves stay in front.
const QColor kSoilColours[] = {QColor(222, 196, 150), QColor(196, 170, 128), QColor(232, 216, 176),
                               QColor(178, 152, 116), QColor(210, 186, 160)};
constexpr int kBandAlpha = 120;
constexpr int kEdgeDarker = 170; // percent: the layers' edges against their fill
const QColor kWater(40, 110, 230, 60);
const QColor kWaterLine(20, 80, 200);
// Okabe-Ito hues, apart also for the common colour-vision deficiencies.
const QColor kIncreaseColour(0x00, 0x72, 0xB2);
const QColor kCumulativeColour(0xD5, 0x5E, 0x00);
const QColor kBaseColour(110, 80, 50);
constexpr double kHeadroom = 1.08; // past the largest value on each axis

QString stressTitle(const char* unit) {
    return QStringLiteral("Tensione (%1)").arg(QString::fromUtf8(unit));
}

QLineSeries* curve(QChart* chart, const char* name, const QString& label, const QPen& pen,
                   QValueAxis* x, QValueAxis* y) {
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromLatin1(name));
    series->setName(label);
    series->setPen(pen);
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

// A band across the whole stress axis from depth `top` to `bottom`.
QAreaSeries* band(QChart* chart, const char* name, const QString& label, const QBrush& brush,
                  QValueAxis* x, QValueAxis* y, double top, double bottom) {
    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    upper->append(x->min(), top);
    upper->append(x->max(), top);
    lower->append(x->min(), bottom);
    lower->append(x->max(), bottom);
    auto* area = new QAreaSeries(upper, lower);
    upper->setParent(area);
    lower->setParent(area);
    area->setObjectName(QString::fromLatin1(name));
    area->setName(label);
    area->setBrush(brush);
    area->setPen(Qt::NoPen);
    chart->addSeries(area);
    area->attachAxis(x);
    area->attachAxis(y);
    return area;
}

double kgPerCm2(double kgPerM2) {
    return kgPerM2 / design::kSquareCmPerSquareM;
}

} // namespace

QChart* NewSettlementChart(const settlement::Settlement& s, const ground::Profile& profile,
                           double D) {
    const settlement::SettlementProfile& p = s.profile;
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Tensioni e cedimento sotto il centro della fondazione"));
    // Beside the plot: a row under it has no room for a dozen names.
    chart->legend()->setAlignment(Qt::AlignRight);

    double stressTop = 0.0;
    for (const std::vector<double>* values : {&p.sigmaV0, &p.deltaSigma, &p.cutoff})
        for (const double v : *values)
            stressTop = std::max(stressTop, kgPerCm2(v));
    const double depthBottom = p.z.empty() ? std::max(1.0, 2.0 * D) : p.z.back();
    const double settlementTop = p.cumulative.empty() ? 0.0 : p.cumulative.back();

    auto* depth = studies::newValueAxis(QStringLiteral("Profondità dal piano campagna (m)"),
                                        QStringLiteral("%.1f"));
    depth->setReverse(true);
    depth->setRange(0.0, depthBottom);
    studies::useRoundTicks(depth);
    chart->addAxis(depth, Qt::AlignLeft);

    auto* stress = studies::newValueAxis(stressTitle("kg/cm²"), QStringLiteral("%.2f"));
    stress->setRange(0.0, stressTop > 0.0 ? stressTop * kHeadroom : 1.0);
    stress->applyNiceNumbers();
    chart->addAxis(stress, Qt::AlignBottom);
    studies::addScaledAxis(chart, stress, design::kKilopascalsPerKgPerCm2, stressTitle("kPa"),
                           Qt::AlignBottom);

    auto* cumulative = studies::newValueAxis(QStringLiteral("Cedimento cumulato (cm)"),
                                             QStringLiteral("%.2f"));
    cumulative->setRange(0.0, settlementTop > 0.0 ? settlementTop * kHeadroom : 1.0);
    studies::useRoundTicks(cumulative);
    cumulative->setGridLineVisible(false);
    cumulative->setLinePenColor(kCumulativeColour);
    cumulative->setLabelsColor(kCumulativeColour);
    cumulative->setTitleBrush(kCumulativeColour);
    chart->addAxis(cumulative, Qt::AlignTop);

    // The bands first, behind the curves: each layer down to the foot of
    // the chart, then the saturated soil over them.
    std::size_t colour = 0;
    for (const ground::Stratum& stratum : profile.strata) {
        if (stratum.top >= depthBottom)
            break;
        QColor fill = kSoilColours[colour++ % std::size(kSoilColours)];
        fill.setAlpha(kBandAlpha);
        QAreaSeries* layer =
            band(chart, kLayerBand, QString::fromStdString(stratum.soil.name), fill, stress, depth,
                 stratum.top, std::min(stratum.bottom, depthBottom));
        // Edged, so that the layers stay apart under the water's band too.
        QColor edge = fill.darker(kEdgeDarker);
        edge.setAlpha(255);
        layer->setPen(QPen(edge, 1));
    }
    if (profile.waterTable && *profile.waterTable < depthBottom) {
        QAreaSeries* water =
            band(chart, kWaterBand,
                 QStringLiteral("Falda (%1 m)").arg(fixedText(*profile.waterTable, 2)),
                 QBrush(kWater), stress, depth, *profile.waterTable, depthBottom);
        QPen edge(kWaterLine);
        edge.setWidth(2);
        water->upperSeries()->setPen(edge);
        water->setPen(Qt::NoPen);
        studies::addReferenceLine(chart, stress, depth, {stress->min(), *profile.waterTable},
                                  {stress->max(), *profile.waterTable}, QString(), kWaterLine);
        chart->legend()->markers(chart->series().constLast()).constFirst()->setVisible(false);
    }

    studies::addReferenceLine(chart, stress, depth, {stress->min(), D}, {stress->max(), D},
                              QStringLiteral("Piano di posa (%1 m)").arg(fixedText(D, 2)),
                              kBaseColour)
        ->setObjectName(QStringLiteral("base"));
    if (s.influenceDepth > 0.0) {
        const double z = D + s.influenceDepth;
        QLineSeries* reached = studies::addReferenceLine(
            chart, stress, depth, {stress->min(), z}, {stress->max(), z},
            QStringLiteral("Fine del calcolo (%1 m)").arg(fixedText(z, 2)),
            QColor(0x55, 0x55, 0x55));
        reached->setObjectName(QStringLiteral("influenceDepth"));
        QPen dotted = reached->pen();
        dotted.setStyle(Qt::DotLine);
        reached->setPen(dotted);
    }

    QPen overburdenPen(Qt::black);
    overburdenPen.setWidth(2);
    QPen cutoffPen(Qt::black);
    cutoffPen.setWidth(2);
    cutoffPen.setStyle(Qt::DashLine);
    QPen increasePen(kIncreaseColour);
    increasePen.setWidth(3);
    QPen cumulativePen(kCumulativeColour);
    cumulativePen.setWidth(3);
    QLineSeries* overburden = curve(chart, kOverburdenSeries, QStringLiteral("σ′v0"),
                                    overburdenPen, stress, depth);
    QLineSeries* increase = curve(chart, kIncreaseSeries, QStringLiteral("Δσz al centro"),
                                  increasePen, stress, depth);
    QLineSeries* cutoff = curve(chart, kCutoffSeries, QStringLiteral("0.2·σ′v0"), cutoffPen,
                                stress, depth);
    QLineSeries* settled =
        curve(chart, kCumulativeSeries, QStringLiteral("Cedimento cumulato"),
              cumulativePen, cumulative, depth);
    for (std::size_t i = 0; i < p.z.size(); ++i) {
        overburden->append(kgPerCm2(p.sigmaV0[i]), p.z[i]);
        increase->append(kgPerCm2(p.deltaSigma[i]), p.z[i]);
        cutoff->append(kgPerCm2(p.cutoff[i]), p.z[i]);
        settled->append(p.cumulative[i], p.z[i]);
    }
    return chart;
}

QStringList SettlementCsvHeader() {
    return {QStringLiteral("z (m)"),
            QStringLiteral("σ′v0 (kg/cm²)"),
            QStringLiteral("σ′v0 (kPa)"),
            QStringLiteral("Δσz (kg/cm²)"),
            QStringLiteral("Δσz (kPa)"),
            QStringLiteral("0.2·σ′v0 (kg/cm²)"),
            QStringLiteral("0.2·σ′v0 (kPa)"),
            QStringLiteral("Cedimento cumulato (cm)")};
}

std::string SettlementCsv(const settlement::Settlement& s, studies::CsvForm form) {
    const settlement::SettlementProfile& p = s.profile;
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < p.z.size(); ++i) {
        std::vector<std::string> row{studies::csvNumber(p.z[i], form)};
        for (const double stress : {p.sigmaV0[i], p.deltaSigma[i], p.cutoff[i]}) {
            row.push_back(studies::csvNumber(kgPerCm2(stress), form));
            row.push_back(
                studies::csvNumber(design::kilopascalsOfKgPerSquareMetre(stress), form));
        }
        row.push_back(studies::csvNumber(p.cumulative[i], form));
        rows.push_back(std::move(row));
    }
    return studies::csvText(form, SettlementCsvHeader(), rows);
}

} // namespace zolt
