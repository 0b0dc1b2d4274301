#include "profile/profile_view.h"

#include "model/number_text.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace zolt {

namespace {

// The drawing reaches at least 2B below the base, where the weaker-layer
// note looks, and shows boundaries and the water table down to 4B below it.
constexpr double kShownWidths = 2.0;
constexpr double kReachWidths = 4.0;
constexpr double kDepthMargin = 1.1;
constexpr double kMinShownDepth = 1.0; // m
// Across: the footing and more than as much soil again on either side,
// room for the layers' names on the left.
constexpr double kAcrossWidths = 3.2;
// The footing stands right of the middle, leaving the wider side to the
// names of the layers beside it.
constexpr double kFootingPlace = 0.6;
// The footing's own thickness as drawn (the methods do not use it), and the
// column above it, which stands out of the ground by kAboveGround.
constexpr double kFootingShare = 0.3;
constexpr double kMinFooting = 0.3; // m
constexpr double kMaxFooting = 0.8; // m
constexpr double kColumnShare = 0.25;
constexpr double kMinColumn = 0.3;   // m
constexpr double kAboveGround = 0.4; // m
constexpr int kMargin = 6;           // px
constexpr int kGap = 4;              // px between a line and its text
constexpr int kTick = 4;             // px
constexpr int kMinNameRoom = 40;     // px; narrower, the names are left out

const QColor kSoilColours[] = {QColor(222, 196, 150), QColor(196, 170, 128), QColor(232, 216, 176),
                               QColor(178, 152, 116), QColor(210, 186, 160)};
const QColor kWater(40, 110, 230, 80);
const QColor kWaterLine(20, 80, 200);
const QColor kBoundary(110, 80, 50);
const QColor kFooting(175, 175, 175);

QString metres(double value) {
    return QString::fromStdString(formatFixed(value, 2)) + QStringLiteral(" m");
}

} // namespace

ProfileView::ProfileView(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    m_profile = ground::buildProfile(GroundData{}, SoilData{});
}

ProfileView::~ProfileView() = default;

void ProfileView::SetGround(const GroundData& ground, const SoilData& soil, double B, double D) {
    m_profile = ground::buildProfile(ground, soil);
    m_B = B > 0.0 ? B : 1.0;
    m_D = std::max(D, 0.0);
    update();
}

QSize ProfileView::sizeHint() const {
    return {320, 460};
}

QSize ProfileView::minimumSizeHint() const {
    return {280, 300};
}

double ProfileView::FootingThickness() const {
    return std::clamp(kFootingShare * m_B, kMinFooting, kMaxFooting);
}

ProfileView::Frame ProfileView::Layout() const {
    Frame frame;
    const int textHeight = fontMetrics().height();
    frame.plot = QRectF(rect().adjusted(kMargin, textHeight + 2 * kGap, -kMargin, -kMargin));
    const double reach = m_D + kReachWidths * m_B;
    double depth = m_D + kShownWidths * m_B;
    for (const ground::Stratum& s : m_profile.strata) {
        if (s.top <= reach)
            depth = std::max(depth, s.top);
    }
    if (m_profile.waterTable && *m_profile.waterTable <= reach)
        depth = std::max(depth, *m_profile.waterTable);
    depth = std::max(depth * kDepthMargin, kMinShownDepth);
    frame.above = std::max(kAboveGround, FootingThickness() - m_D + kAboveGround);
    const double down = frame.plot.height() / (frame.above + depth);
    const double across = frame.plot.width() / (kAcrossWidths * m_B);
    frame.scale = std::max(std::min(down, across), 1e-6);
    frame.surfaceY = frame.plot.top() + frame.above * frame.scale;
    frame.centreX = frame.plot.left() + kFootingPlace * frame.plot.width();
    return frame;
}

double ProfileView::Scale() const {
    return Layout().scale;
}

int ProfileView::DepthToY(double z) const {
    const Frame frame = Layout();
    return static_cast<int>(std::lround(frame.surfaceY + z * frame.scale));
}

double ProfileView::ShownDepth() const {
    const Frame frame = Layout();
    return (frame.plot.bottom() - frame.surfaceY) / frame.scale;
}

void ProfileView::paintEvent(QPaintEvent* /*event*/) {
    const Frame frame = Layout();
    const QRectF& plot = frame.plot;
    const QFontMetrics metrics = fontMetrics();
    const auto y = [&](double z) { return frame.surfaceY + z * frame.scale; };
    const double bottom = plot.bottom();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(plot);

    // The layers, and the water below the table.
    const auto& strata = m_profile.strata;
    for (std::size_t i = 0; i < strata.size(); ++i) {
        const double top = y(strata[i].top);
        const double foot =
            std::isfinite(strata[i].bottom) ? std::min(y(strata[i].bottom), bottom) : bottom;
        if (top >= bottom)
            break;
        painter.fillRect(QRectF(plot.left(), top, plot.width(), foot - top),
                         kSoilColours[i % std::size(kSoilColours)]);
    }
    const std::optional<double>& water = m_profile.waterTable;
    if (water && y(*water) < bottom)
        painter.fillRect(QRectF(plot.left(), y(*water), plot.width(), bottom - y(*water)), kWater);

    // The boundaries with their depths on the right.
    painter.setPen(QPen(kBoundary, 1));
    for (std::size_t i = 1; i < strata.size(); ++i) {
        const double line = y(strata[i].top);
        if (line >= bottom)
            break;
        painter.drawLine(QPointF(plot.left(), line), QPointF(plot.right(), line));
        painter.drawText(
            QRectF(plot.left(), line - metrics.height() - 1, plot.width() - kGap, metrics.height()),
            Qt::AlignRight | Qt::AlignBottom, metres(strata[i].top));
    }

    // D + B, the reach of the means.
    const double halfB = m_B / 2.0 * frame.scale;
    const double reach = y(m_D + m_B);
    if (reach < bottom) {
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), reach), QPointF(plot.right(), reach));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(frame.centreX - halfB, reach - metrics.height() - 1, 2 * halfB,
                                metrics.height()),
                         Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("D + B"));
    }

    // The footing and its column.
    const double thickness = FootingThickness();
    const double column = std::max(kMinColumn, kColumnShare * m_B) / 2.0 * frame.scale;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(kFooting);
    painter.drawRect(QRectF(frame.centreX - column, plot.top() - 1, 2 * column,
                            y(m_D - thickness) - plot.top() + 1));
    painter.drawRect(
        QRectF(frame.centreX - halfB, y(m_D - thickness), 2 * halfB, thickness * frame.scale));
    painter.setBrush(Qt::NoBrush);

    // The ground surface.
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(plot.left(), y(0.0)), QPointF(frame.centreX - halfB, y(0.0)));
    painter.drawLine(QPointF(frame.centreX + halfB, y(0.0)), QPointF(plot.right(), y(0.0)));

    // D, beside the footing.
    const double dimension = frame.centreX - halfB - 3 * kTick;
    painter.setPen(QPen(Qt::black, 1));
    if (m_D > 0.0) {
        painter.drawLine(QPointF(dimension, y(0.0)), QPointF(dimension, y(m_D)));
        for (const double z : {0.0, m_D})
            painter.drawLine(QPointF(dimension - kTick, y(z)), QPointF(dimension + kTick, y(z)));
    }

    // The water table: its line, the usual triangle and its depth.
    if (water && y(*water) < bottom) {
        const double line = y(*water);
        painter.setPen(QPen(kWaterLine, 2));
        painter.drawLine(QPointF(plot.left(), line), QPointF(plot.right(), line));
        const QString text = QStringLiteral("falda ") + metres(*water);
        const double textRight = plot.right() - kGap;
        const double tip = textRight - metrics.horizontalAdvance(text) - 3 * kTick;
        QPainterPath triangle;
        triangle.moveTo(tip, line);
        triangle.lineTo(tip - 1.5 * kTick, line - 2.5 * kTick);
        triangle.lineTo(tip + 1.5 * kTick, line - 2.5 * kTick);
        triangle.closeSubpath();
        painter.setPen(QPen(kWaterLine, 1));
        painter.setBrush(Qt::white);
        painter.drawPath(triangle);
        painter.setBrush(Qt::NoBrush);
        painter.drawText(QRectF(plot.left(), line + 1, textRight - plot.left(), metrics.height()),
                         Qt::AlignRight | Qt::AlignTop, text);
    }

    // The names on the left: beside the footing where it is, across the
    // drawing below its base.
    const double besideFooting = dimension - 2 * kTick - plot.left() - kGap;
    painter.setPen(Qt::black);
    for (const ground::Stratum& s : strata) {
        const double top = y(s.top);
        const double foot = std::isfinite(s.bottom) ? std::min(y(s.bottom), bottom) : bottom;
        const double room = s.top >= m_D ? plot.width() - 2 * kGap : besideFooting;
        if (foot - top < metrics.height() + 2 || room < kMinNameRoom)
            continue;
        const QString name = m_profile.layered ? QString::fromStdString(s.soil.name)
                                               : QStringLiteral("terreno omogeneo");
        const double below = s.top == 0.0 ? 2.0 : 1.0; // clear of the surface line
        painter.drawText(QRectF(plot.left() + kGap, top + below, room, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop,
                         metrics.elidedText(name, Qt::ElideRight, static_cast<int>(room)));
    }

    // The frame, and the footing's size above it.
    painter.setClipping(false);
    painter.setPen(QPen(Qt::gray, 1));
    painter.drawRect(plot);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRectF(plot.left(), kGap, plot.width(), metrics.height()), Qt::AlignHCenter,
                     QStringLiteral("B = %1    D = %2").arg(metres(m_B), metres(m_D)));
}

} // namespace zolt
