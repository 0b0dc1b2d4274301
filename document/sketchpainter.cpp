#include "document/sketchpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace zolt::document {

namespace {

constexpr double kMmPerInch = 25.4;

// Pen widths, mm.
constexpr double kOutlinePen = 0.35;
constexpr double kThinPen = 0.18;
constexpr double kForcePen = 0.3;
constexpr double kFramePen = 0.15;
constexpr double kWaterPen = 0.25;

// Arrowheads, mm.
constexpr double kForceHeadLength = 2.4;
constexpr double kForceHeadHalfWidth = 0.8;
constexpr double kDimensionHeadLength = 1.8;
constexpr double kDimensionHeadHalfWidth = 0.5;

// Text is set in a font of this many pixels and scaled to its em, so that
// its size in millimetres does not depend on the device's resolution.
constexpr int kTextPixels = 100;

const QColor kSoilColour(0xEE, 0xE4, 0xCC);
const QColor kFootingColour(0xD4, 0xD4, 0xD4);
const QColor kEffectiveColour(0xB9, 0xD7, 0xEE);
const QColor kEffectiveEdge(0x2B, 0x6C, 0xA3);
const QColor kForceColour(0xA8, 0x10, 0x10);
const QColor kFrameColour(0xA0, 0xA0, 0xA0);
const QColor kWaterColour(0x1F, 0x5F, 0xB0);
const QColor kLayerColour(0x7A, 0x5A, 0x30);

QPointF toQt(SketchPoint p) {
    return {p.x, p.y};
}

QPen penFor(LineStyle style) {
    QPen pen(Qt::black, kThinPen, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    switch (style) {
    case LineStyle::Outline:
        pen.setWidthF(kOutlinePen);
        pen.setCapStyle(Qt::SquareCap);
        break;
    case LineStyle::Thin:
        break;
    case LineStyle::Dashed:
        pen.setDashPattern({8.0, 5.0});
        break;
    case LineStyle::Axis:
        pen.setColor(QColor(0x50, 0x50, 0x50));
        pen.setDashPattern({16.0, 4.0, 2.0, 4.0});
        break;
    case LineStyle::Water:
        pen.setColor(kWaterColour);
        pen.setWidthF(kWaterPen);
        pen.setDashPattern({10.0, 4.0});
        break;
    case LineStyle::WaterMark:
        pen.setColor(kWaterColour);
        break;
    case LineStyle::Layer:
        pen.setColor(kLayerColour);
        break;
    }
    return pen;
}

// A filled head at `tip` pointing away from `from`; its length is cut down
// on short shafts so that two heads never cross.
void paintHead(QPainter& painter, QPointF from, QPointF tip, double length, double halfWidth) {
    const QPointF d = tip - from;
    const double norm = std::hypot(d.x(), d.y());
    if (norm <= 0.0)
        return;
    const double shortened = std::min(length, norm / 3.0);
    halfWidth *= shortened / length;
    length = shortened;
    const QPointF u = d / norm;
    const QPointF n(-u.y(), u.x());
    const QPointF base = tip - length * u;
    painter.drawPolygon(QPolygonF{tip, base + halfWidth * n, base - halfWidth * n});
}

void paintText(QPainter& painter, const SketchText& t) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kTextPixels);
    font.setStyleStrategy(QFont::PreferNoShaping); // no ligatures, as in the text
    const QFontMetricsF metrics(font);
    const QString text = QString::fromStdString(t.text);
    const SketchRect box = t.box();
    const double room = t.upright ? box.height : box.width;
    double scale = t.em / kTextPixels;
    const double advance = metrics.horizontalAdvance(text);
    // A face wider than the estimate shrinks rather than leave the box.
    if (advance * scale > room)
        scale = room / advance;
    const double length = advance * scale;
    // Along the text: start of the line from the box's middle, by alignment.
    double along = -0.5 * length;
    if (!t.upright && t.horizontal == HorizontalAlign::Left)
        along = -0.5 * box.width;
    else if (!t.upright && t.horizontal == HorizontalAlign::Right)
        along = 0.5 * box.width - length;
    const double baseline = 0.5 * (metrics.ascent() - metrics.descent()) * scale;

    painter.save();
    painter.translate(box.x + 0.5 * box.width, box.y + 0.5 * box.height);
    if (t.upright)
        painter.rotate(-90.0);
    painter.translate(along, baseline);
    painter.scale(scale, scale);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0.0, 0.0), text);
    painter.restore();
}

} // namespace

void paintSketch(QPainter& painter, const Sketch& sketch, const SketchRect& frame, QPointF origin,
                 double unitsPerMm) {
    painter.save();
    painter.translate(origin);
    painter.scale(unitsPerMm, unitsPerMm);
    painter.translate(-frame.x, -frame.y);
    painter.setRenderHint(QPainter::Antialiasing);
    // Within whatever clip the page already has (a page shows its slice only).
    painter.setClipRect(QRectF(frame.x, frame.y, frame.width, frame.height), Qt::IntersectClip);

    for (const SketchPolygon& polygon : sketch.polygons) {
        QPolygonF outline;
        for (const SketchPoint& p : polygon.points)
            outline << toQt(p);
        switch (polygon.fill) {
        case FillStyle::Soil:
            painter.setPen(Qt::NoPen);
            painter.setBrush(kSoilColour);
            break;
        case FillStyle::Footing:
            painter.setPen(penFor(LineStyle::Outline));
            painter.setBrush(kFootingColour);
            break;
        case FillStyle::EffectiveArea: {
            QPen edge = penFor(LineStyle::Dashed);
            edge.setColor(kEffectiveEdge);
            painter.setPen(edge);
            painter.setBrush(kEffectiveColour);
            break;
        }
        }
        painter.drawPolygon(outline);
    }

    painter.setBrush(Qt::NoBrush);
    for (const SketchLine& line : sketch.lines) {
        painter.setPen(penFor(line.style));
        painter.drawLine(toQt(line.a), toQt(line.b));
    }
    for (const SketchPolyline& polyline : sketch.polylines) {
        QPolygonF chain;
        for (const SketchPoint& p : polyline.points)
            chain << toQt(p);
        painter.setPen(penFor(polyline.style));
        painter.drawPolyline(chain);
    }

    for (const SketchDimension& d : sketch.dimensions) {
        painter.setPen(penFor(LineStyle::Thin));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(toQt(d.a), toQt(d.b));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        const QPointF middle = 0.5 * (toQt(d.a) + toQt(d.b));
        paintHead(painter, middle, toQt(d.a), kDimensionHeadLength, kDimensionHeadHalfWidth);
        paintHead(painter, middle, toQt(d.b), kDimensionHeadLength, kDimensionHeadHalfWidth);
        paintText(painter, d.label);
    }

    for (const SketchArrow& arrow : sketch.arrows) {
        QPen pen(kForceColour, kForcePen, Qt::SolidLine, Qt::FlatCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(toQt(arrow.tail), toQt(arrow.head));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kForceColour);
        paintHead(painter, toQt(arrow.tail), toQt(arrow.head), kForceHeadLength,
                  kForceHeadHalfWidth);
    }

    for (const SketchText& text : sketch.texts)
        paintText(painter, text);

    painter.setPen(QPen(kFrameColour, kFramePen));
    painter.setBrush(Qt::NoBrush);
    const double inset = 0.5 * kFramePen;
    painter.drawRect(QRectF(frame.x + inset, frame.y + inset, frame.width - 2 * inset,
                            frame.height - 2 * inset));
    painter.restore();
}

QImage sketchImage(const Sketch& sketch, const SketchRect& frame, double dotsPerInch) {
    const double dotsPerMm = dotsPerInch / kMmPerInch;
    QImage image(static_cast<int>(std::ceil(frame.width * dotsPerMm)),
                 static_cast<int>(std::ceil(frame.height * dotsPerMm)), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerMm * 1000.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintSketch(painter, sketch, frame, QPointF(0.0, 0.0), dotsPerMm);
    return image;
}

} // namespace zolt::document
