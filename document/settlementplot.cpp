#include "document/settlementplot.h"

#include "design/units.h"
#include "model/number_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace zolt::document {

namespace {

constexpr double kMmPerInch = 25.4;

// The plot area inside the frame, mm from its edges: room for the depth
// axis and its title on the left, the cumulative axis on top, the stress
// axis and the legend below.
constexpr double kLeft = 16.0;
constexpr double kRight = 4.0;
constexpr double kTop = 14.0;
constexpr double kBottom = 34.0;
constexpr double kTickLength = 1.2;
constexpr double kLabelEm = 2.6;
constexpr double kTitleEm = 2.9;
constexpr double kLegendRow = 4.6;
constexpr double kLegendSample = 7.0;

// Pen widths, mm.
constexpr double kCurvePen = 0.45;
constexpr double kThinPen = 0.18;
constexpr double kAxisPen = 0.25;

constexpr double kHeadroom = 1.08; // past the largest value on each axis

// The bands and curves of the window's chart, so that both read alike.
const QColor kSoilColours[] = {QColor(222, 196, 150), QColor(196, 170, 128), QColor(232, 216, 176),
                               QColor(178, 152, 116), QColor(210, 186, 160)};
constexpr int kBandAlpha = 110;
const QColor kWater(40, 110, 230, 50);
const QColor kWaterLine(20, 80, 200);
// Okabe-Ito hues, apart also for the common colour-vision deficiencies.
const QColor kIncreaseColour(0x00, 0x72, 0xB2);
const QColor kCumulativeColour(0xD5, 0x5E, 0x00);
const QColor kBaseColour(110, 80, 50);
const QColor kGrid(0xD8, 0xD8, 0xD8);
const QColor kLayerEdge(0x7A, 0x5A, 0x30); // the section drawing's layer lines

// Text is set in a font of this many pixels and scaled to its em, so that
// its size in millimetres does not depend on the device's resolution.
constexpr int kTextPixels = 100;

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// `text` of height `em` (mm) placed by `align` (Qt::AlignLeft/Right/HCenter
// and AlignTop/Bottom/VCenter) against `at`; rotated a quarter turn
// anticlockwise with `vertical`. Returns its advance, mm.
double drawText(QPainter& painter, QPointF at, double em, const QString& text,
                Qt::Alignment align, const QColor& colour = Qt::black, bool vertical = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kTextPixels);
    font.setStyleStrategy(QFont::PreferNoShaping);
    const QFontMetricsF metrics(font);
    const double scale = em / kTextPixels;
    const double width = metrics.horizontalAdvance(text) * scale;
    double x = 0.0;
    if (align & Qt::AlignRight)
        x = -width;
    else if (align & Qt::AlignHCenter)
        x = -0.5 * width;
    double y = 0.5 * (metrics.ascent() - metrics.descent()) * scale;
    if (align & Qt::AlignTop)
        y = metrics.ascent() * scale;
    else if (align & Qt::AlignBottom)
        y = -metrics.descent() * scale;
    painter.save();
    painter.translate(at);
    if (vertical)
        painter.rotate(-90.0);
    painter.translate(x, y);
    painter.scale(scale, scale);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(0.0, 0.0), text);
    painter.restore();
    return width;
}

// A round step (1, 2, 2.5 or 5 times a power of ten) giving about `count`
// intervals over [0, top].
double roundStep(double top, int count) {
    const double raw = top / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 2.5, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

// The fewest decimals that show every multiple of `step`.
int decimalsOf(double step) {
    constexpr int kMost = 6;
    for (int d = 0; d < kMost; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::abs(scaled - std::round(scaled)) < 1e-9 * scaled)
            return d;
    }
    return kMost;
}

QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(colour, width, style, Qt::FlatCap, Qt::RoundJoin);
    return p;
}

struct LegendItem {
    QString label;
    QPen pen;
    QColor fill; // a band's sample when valid
};

} // namespace

void paintSettlementPlot(QPainter& painter, const settlement::Settlement& s,
                         const ground::Profile& profile, double D, double widthMm, QPointF origin,
                         double unitsPerMm) {
    const settlement::SettlementProfile& p = s.profile;
    painter.save();
    painter.translate(origin);
    painter.scale(unitsPerMm, unitsPerMm);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF plot(kLeft, kTop, widthMm - kLeft - kRight,
                      kSettlementPlotHeightMm - kTop - kBottom);
    const auto kgcm2 = [](double kgPerM2) { return kgPerM2 / design::kSquareCmPerSquareM; };
    double stressTop = 0.0;
    for (const std::vector<double>* values : {&p.sigmaV0, &p.deltaSigma, &p.cutoff})
        for (const double v : *values)
            stressTop = std::max(stressTop, kgcm2(v));
    const double stressStep = roundStep(stressTop > 0.0 ? stressTop * kHeadroom : 1.0, 5);
    stressTop = stressStep * std::ceil((stressTop > 0.0 ? stressTop * kHeadroom : 1.0) / stressStep);
    const double settled = p.cumulative.empty() ? 0.0 : p.cumulative.back();
    const double settledStep = roundStep(settled > 0.0 ? settled * kHeadroom : 1.0, 5);
    const double settledTop =
        settledStep * std::ceil((settled > 0.0 ? settled * kHeadroom : 1.0) / settledStep);
    const double depthBottom = p.z.empty() ? std::max(1.0, 2.0 * D) : p.z.back();
    const double depthStep = roundStep(depthBottom, 6);

    const auto X = [&](double stress) { return plot.left() + stress / stressTop * plot.width(); };
    const auto XS = [&](double cm) { return plot.left() + cm / settledTop * plot.width(); };
    const auto Y = [&](double z) { return plot.top() + z / depthBottom * plot.height(); };

    std::vector<LegendItem> legend;
    // The bands first, behind the grid and the curves.
    std::size_t colour = 0;
    for (const ground::Stratum& stratum : profile.strata) {
        if (stratum.top >= depthBottom)
            break;
        QColor fill = kSoilColours[colour++ % std::size(kSoilColours)];
        fill.setAlpha(kBandAlpha);
        const double bottom = std::min(stratum.bottom, depthBottom);
        painter.fillRect(QRectF(QPointF(plot.left(), Y(stratum.top)),
                                QPointF(plot.right(), Y(bottom))),
                         fill);
        legend.push_back({qs(stratum.soil.name), QPen(Qt::NoPen), fill});
    }
    if (profile.waterTable && *profile.waterTable < depthBottom) {
        painter.fillRect(QRectF(QPointF(plot.left(), Y(*profile.waterTable)), plot.bottomRight()),
                         kWater);
        painter.setPen(pen(kWaterLine, kCurvePen * 0.8));
        painter.drawLine(QPointF(plot.left(), Y(*profile.waterTable)),
                         QPointF(plot.right(), Y(*profile.waterTable)));
        legend.push_back({QStringLiteral("Falda (%1 m)").arg(qs(formatFixed(*profile.waterTable, 2))),
                          pen(kWaterLine, kCurvePen * 0.8), kWater});
    }

    // Grid and axes.
    painter.setPen(pen(kGrid, kThinPen));
    for (double v = stressStep; v < stressTop - 1e-9; v += stressStep)
        painter.drawLine(QPointF(X(v), plot.top()), QPointF(X(v), plot.bottom()));
    for (double z = depthStep; z < depthBottom - 1e-9; z += depthStep)
        painter.drawLine(QPointF(plot.left(), Y(z)), QPointF(plot.right(), Y(z)));
    // The layers' boundaries, so that they stay apart under the water too.
    painter.setPen(pen(kLayerEdge, kThinPen));
    for (const ground::Stratum& stratum : profile.strata)
        if (stratum.bottom < depthBottom)
            painter.drawLine(QPointF(plot.left(), Y(stratum.bottom)),
                             QPointF(plot.right(), Y(stratum.bottom)));
    painter.setPen(pen(Qt::black, kAxisPen));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    const int stressDecimals = decimalsOf(stressStep);
    for (double v = 0.0; v <= stressTop + 1e-9; v += stressStep) {
        painter.setPen(pen(Qt::black, kAxisPen));
        painter.drawLine(QPointF(X(v), plot.bottom()), QPointF(X(v), plot.bottom() + kTickLength));
        drawText(painter, QPointF(X(v), plot.bottom() + kTickLength + 0.6), kLabelEm,
                 qs(formatFixed(v, stressDecimals)), Qt::AlignHCenter | Qt::AlignTop);
    }
    drawText(painter, QPointF(plot.center().x(), plot.bottom() + 6.2), kTitleEm,
             QStringLiteral("Tensione (kg/cm²; 1 kg/cm² = %1 kPa)")
                 .arg(qs(formatFixed(design::kKilopascalsPerKgPerCm2, 2))),
             Qt::AlignHCenter | Qt::AlignTop);
    const int settledDecimals = decimalsOf(settledStep);
    for (double v = 0.0; v <= settledTop + 1e-9; v += settledStep) {
        painter.setPen(pen(kCumulativeColour, kAxisPen));
        painter.drawLine(QPointF(XS(v), plot.top()), QPointF(XS(v), plot.top() - kTickLength));
        drawText(painter, QPointF(XS(v), plot.top() - kTickLength - 0.6), kLabelEm,
                 qs(formatFixed(v, settledDecimals)), Qt::AlignHCenter | Qt::AlignBottom,
                 kCumulativeColour);
    }
    drawText(painter, QPointF(plot.center().x(), plot.top() - 6.4), kTitleEm,
             QStringLiteral("Cedimento cumulato (cm)"), Qt::AlignHCenter | Qt::AlignBottom,
             kCumulativeColour);
    const int depthDecimals = decimalsOf(depthStep);
    for (double z = 0.0; z <= depthBottom + 1e-9; z += depthStep) {
        painter.setPen(pen(Qt::black, kAxisPen));
        painter.drawLine(QPointF(plot.left() - kTickLength, Y(z)), QPointF(plot.left(), Y(z)));
        drawText(painter, QPointF(plot.left() - kTickLength - 0.6, Y(z)), kLabelEm,
                 qs(formatFixed(z, depthDecimals)), Qt::AlignRight | Qt::AlignVCenter);
    }
    drawText(painter, QPointF(plot.left() - 10.5, plot.center().y()), kTitleEm,
             QStringLiteral("Profondità dal piano campagna (m)"), Qt::AlignHCenter | Qt::AlignTop,
             Qt::black, true);

    // The base and the depth the method reached.
    const QPen basePen = pen(kBaseColour, kCurvePen * 0.8, Qt::DashLine);
    painter.setPen(basePen);
    painter.drawLine(QPointF(plot.left(), Y(D)), QPointF(plot.right(), Y(D)));
    legend.push_back({QStringLiteral("Piano di posa"), basePen, QColor()});
    if (s.influenceDepth > 0.0 && D + s.influenceDepth <= depthBottom + 1e-9) {
        const QPen reachedPen = pen(QColor(0x55, 0x55, 0x55), kCurvePen * 0.8, Qt::DotLine);
        painter.setPen(reachedPen);
        painter.drawLine(QPointF(plot.left(), Y(D + s.influenceDepth)),
                         QPointF(plot.right(), Y(D + s.influenceDepth)));
        legend.push_back({QStringLiteral("Profondità raggiunta"), reachedPen, QColor()});
    }

    // The curves, clipped to the plot.
    painter.save();
    painter.setClipRect(plot);
    const auto curve = [&](const std::vector<double>& values, bool stress, const QPen& curvePen) {
        QPolygonF line;
        for (std::size_t i = 0; i < p.z.size() && i < values.size(); ++i)
            line << QPointF(stress ? X(kgcm2(values[i])) : XS(values[i]), Y(p.z[i]));
        painter.setPen(curvePen);
        painter.drawPolyline(line);
    };
    const QPen overburden = pen(Qt::black, kCurvePen);
    const QPen increase = pen(kIncreaseColour, kCurvePen * 1.3);
    const QPen cutoff = pen(Qt::black, kCurvePen, Qt::DashLine);
    const QPen cumulative = pen(kCumulativeColour, kCurvePen * 1.3);
    curve(p.sigmaV0, true, overburden);
    curve(p.deltaSigma, true, increase);
    curve(p.cutoff, true, cutoff);
    curve(p.cumulative, false, cumulative);
    painter.restore();
    legend.push_back({QStringLiteral("σ′v0"), overburden, QColor()});
    legend.push_back({QStringLiteral("Δσz al centro"), increase, QColor()});
    legend.push_back({QStringLiteral("0.2·σ′v0"), cutoff, QColor()});
    legend.push_back({QStringLiteral("Cedimento cumulato (asse in alto)"), cumulative, QColor()});

    // The legend in rows under the stress axis' title.
    double x = plot.left();
    double y = plot.bottom() + 13.0;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kTextPixels);
    const QFontMetricsF metrics(font);
    for (const LegendItem& item : legend) {
        const double width =
            kLegendSample + 1.2 + metrics.horizontalAdvance(item.label) * kLabelEm / kTextPixels + 4.0;
        if (x + width > plot.right() && x > plot.left()) {
            x = plot.left();
            y += kLegendRow;
        }
        const QRectF sample(x, y - 1.2, kLegendSample, 2.4);
        if (item.fill.isValid())
            painter.fillRect(sample, item.fill);
        if (item.pen.style() != Qt::NoPen) {
            painter.setPen(item.pen);
            painter.drawLine(QPointF(sample.left(), y), QPointF(sample.right(), y));
        }
        drawText(painter, QPointF(x + kLegendSample + 1.2, y), kLabelEm, item.label,
                 Qt::AlignLeft | Qt::AlignVCenter);
        x += width;
    }
    painter.restore();
}

QImage settlementPlotImage(const settlement::Settlement& s, const ground::Profile& profile,
                           double D, double widthMm, double dotsPerInch) {
    const double dotsPerMm = dotsPerInch / kMmPerInch;
    QImage image(static_cast<int>(std::ceil(widthMm * dotsPerMm)),
                 static_cast<int>(std::ceil(kSettlementPlotHeightMm * dotsPerMm)),
                 QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerMm * 1000.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintSettlementPlot(painter, s, profile, D, widthMm, QPointF(0.0, 0.0), dotsPerMm);
    return image;
}

} // namespace zolt::document
