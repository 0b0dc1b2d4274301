#include "document/sketch.h"

#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace zolt::document {

namespace {

constexpr double kPi = 3.141592653589793;

// Sizes on the page, mm.
constexpr double kInnerMargin = 1.0;       // between the drawing and its frame
constexpr double kArrowLength = 13.0;      // a force arrow, whatever the force
constexpr double kShearLift = 3.0;         // T drawn this far above the load point
constexpr double kDimensionOffset = 7.0;   // first dimension line from the outline
constexpr double kDimensionStep = 7.0;     // at least, between stacked dimension lines
constexpr double kExtensionGap = 1.0;      // extension line starts off the outline
constexpr double kExtensionOvershoot = 1.5; // and ends past the dimension line
constexpr double kLabelGap = 1.2;          // text off its line
constexpr double kAngleRadius = 9.0;       // angle arcs
constexpr double kReferenceLength = 12.0;  // horizontal reference of an angle
constexpr double kAxisOvershoot = 3.0;     // centre lines past the outline
constexpr double kMarkRadius = 1.3;        // the plan's load point
constexpr int kArcSegments = 24;
// The water table's mark: an inverted triangle over a short tick, mm.
constexpr double kWaterMarkHalfWidth = 1.3;
constexpr double kWaterMarkHeight = 2.2;
constexpr double kWaterMarkTick = 0.8;
constexpr double kWaterMarkInset = 4.0; // from the level's right end
constexpr double kWaterMarkRoom = 7.0;  // the level's least length for the mark

// Width of a text box per character, in ems: above the widest digits and
// lower-case letters of a sans-serif face, so the box rarely needs the
// painter's shrinking.
constexpr double kAdvancePerChar = 0.64;
constexpr double kLineHeight = 1.25; // ems, ascent plus descent

// Schematic proportions of the section (not inputs): footing thickness,
// ground beyond the footing, slope length.
constexpr double kFootingThickness = 0.35; // times B
constexpr double kGroundLeft = 0.5;        // times B, left of the footing
constexpr double kCrestGap = 0.4;          // times B, plus a share of the depth
constexpr double kCrestGapPerDepth = 0.2;  // keeps an overhanging slope off the footing
constexpr double kSoilBelow = 0.4;         // times B, below the lowest point
constexpr double kSoilBelowLevels = 0.3;   // times B, below the deepest level of the ground

// Lengths beyond these are drawn at these values (the data file may hold
// anything; the input fields stay far inside).
constexpr double kMinDrawnLength = 0.01;  // m
constexpr double kMaxDrawnLength = 1e4;   // m
constexpr double kMaxDrawnAngle = 180.0;  // degrees

constexpr const char* kOutOfScale = " (fuori scala)";

SketchPoint operator+(SketchPoint a, SketchPoint b) { return {a.x + b.x, a.y + b.y}; }
SketchPoint operator-(SketchPoint a, SketchPoint b) { return {a.x - b.x, a.y - b.y}; }
SketchPoint operator*(double k, SketchPoint a) { return {k * a.x, k * a.y}; }

SketchPoint midpoint(SketchPoint a, SketchPoint b) { return 0.5 * (a + b); }

// A direction on the page at `degrees`, clockwise from the x axis (the
// page's y grows downwards).
SketchPoint direction(double degrees) {
    const double r = degrees * kPi / 180.0;
    return {std::cos(r), std::sin(r)};
}

std::size_t characterCount(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

double finiteOr(double value, double fallback) {
    return std::isfinite(value) ? value : fallback;
}

double drawnLength(double metres) {
    return std::clamp(std::fabs(finiteOr(metres, 0.0)), kMinDrawnLength, kMaxDrawnLength);
}

double drawnOffset(double metres, double limit) {
    return std::clamp(finiteOr(metres, 0.0), -limit, limit);
}

double drawnAngle(double degrees) {
    return std::clamp(finiteOr(degrees, 0.0), -kMaxDrawnAngle, kMaxDrawnAngle);
}

std::string metres(const char* symbol, double value, bool toScale = true) {
    return std::string(symbol) + " = " + formatFixed(value, 2) + " m" + (toScale ? "" : kOutOfScale);
}

std::string degrees(const char* symbol, double value) {
    return std::string(symbol) + " = " + formatFixed(value, 1) + "\u00b0";
}

std::string force(const char* symbol, double kg) {
    return std::string(symbol) + " = " + formatFixed(kg, 0) + " Kg";
}

// Text next to `at`, on the side the unit vector `side` points to.
SketchText textBeside(SketchPoint at, SketchPoint side, std::string text) {
    constexpr double kDiagonal = 0.38; // beyond this share a side counts
    SketchText t;
    t.anchor = at + kLabelGap * side;
    t.text = std::move(text);
    t.horizontal = side.x > kDiagonal    ? HorizontalAlign::Left
                   : side.x < -kDiagonal ? HorizontalAlign::Right
                                         : HorizontalAlign::Centre;
    t.vertical = side.y > kDiagonal    ? VerticalAlign::Top
                 : side.y < -kDiagonal ? VerticalAlign::Bottom
                                       : VerticalAlign::Middle;
    return t;
}

// `t` moved `distance` mm further along the unit vector `side`.
SketchText pushed(SketchText t, SketchPoint side, double distance) {
    t.anchor = t.anchor + distance * side;
    return t;
}

// Whether the segment from `a` to `b` passes through the inside of `r`
// (Liang and Barsky's clipping of the segment against the rectangle).
bool crosses(SketchPoint a, SketchPoint b, const SketchRect& r) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.x, r.right() - a.x, a.y - r.y, r.bottom() - a.y};
    double enter = 0.0;
    double leave = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter >= leave)
            return false;
    }
    return true;
}

bool overlaps(const SketchRect& a, const SketchRect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

// The highest point on the page (the least y) of the segments over the
// columns from `x0` to `x1`; +infinity when none passes there.
double highestWithin(const std::vector<std::pair<SketchPoint, SketchPoint>>& segments, double x0,
                     double x1) {
    double top = std::numeric_limits<double>::infinity();
    for (const auto& [a, b] : segments) {
        const double left = std::max(x0, std::min(a.x, b.x));
        const double right = std::min(x1, std::max(a.x, b.x));
        if (left > right)
            continue;
        if (a.x == b.x) {
            top = std::min({top, a.y, b.y});
            continue;
        }
        for (const double x : {left, right})
            top = std::min(top, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x));
    }
    return top;
}

// A label's box less this much on every side may not meet a line: a line
// that only touches the box's edge leaves the letters clear.
constexpr double kTouchTolerance = 0.05;
// How far a label may be moved off its first place, in steps, mm.
constexpr double kPushStep = 1.5;
constexpr int kPushSteps = 4;

// Builds one drawing at `scale` (mm per m) around a world origin at the
// page origin; world y grows upwards.
class Builder {
public:
    explicit Builder(double scale) : m_scale(scale) {}

    SketchPoint at(double wx, double wy) const { return {m_scale * wx, -m_scale * wy}; }
    double scale() const { return m_scale; }
    Sketch& sketch() { return m_sketch; }

    void line(SketchPoint a, SketchPoint b, LineStyle style) {
        m_sketch.lines.push_back({a, b, style});
    }

    // A dimension of the segment from `a` to `b`, drawn `offset` mm away on
    // the side of the unit normal `side`, with its extension lines from
    // `start` mm off the segment. The label of a vertical dimension runs
    // along it, so that stacked dimensions never put their labels side by
    // side. Returns how far from the segment the label may reach: an outer
    // dimension goes past that, its extension lines starting beyond it.
    double dimension(SketchPoint a, SketchPoint b, SketchPoint side, double offset, std::string text,
                     double start = kExtensionGap) {
        const SketchPoint da = a + offset * side;
        const SketchPoint db = b + offset * side;
        const double reach = offset + kExtensionOvershoot;
        line(a + start * side, a + reach * side, LineStyle::Thin);
        line(b + start * side, b + reach * side, LineStyle::Thin);
        SketchText label = textBeside(midpoint(da, db), side, std::move(text));
        label.upright = side.y == 0.0;
        label = offLine(label, da, side);
        dimensionLabel(da, db, side, label);
        // Its first two places: beside its line, or past the extension lines.
        return offset + reachOf(label, da, side) + kExtensionOvershoot;
    }

    // How far beyond the line through `on` the box of `t` reaches along the
    // unit vector `side`.
    static double reachOf(const SketchText& t, SketchPoint on, SketchPoint side) {
        const SketchRect r = t.box();
        double far = -std::numeric_limits<double>::infinity();
        for (const SketchPoint corner : {SketchPoint{r.x, r.y}, SketchPoint{r.right(), r.y},
                                         SketchPoint{r.x, r.bottom()}, SketchPoint{r.right(), r.bottom()}}) {
            const SketchPoint d = corner - on;
            far = std::max(far, d.x * side.x + d.y * side.y);
        }
        return far;
    }

    // `t` moved along `side` until its box keeps kLabelGap off the line
    // through `on` square to `side`: a box beside a line that is not level
    // or upright would otherwise reach across it with a corner.
    static SketchText offLine(const SketchText& t, SketchPoint on, SketchPoint side) {
        const SketchRect r = t.box();
        double near = std::numeric_limits<double>::infinity();
        for (const SketchPoint corner : {SketchPoint{r.x, r.y}, SketchPoint{r.right(), r.y},
                                         SketchPoint{r.x, r.bottom()}, SketchPoint{r.right(), r.bottom()}}) {
            const SketchPoint d = corner - on;
            near = std::min(near, d.x * side.x + d.y * side.y);
        }
        return near < kLabelGap ? pushed(t, side, kLabelGap - near) : t;
    }

    // A dimension from `a` to `b` whose label lies on the side of the unit
    // vector `side`. A label longer than its dimension, or a dimension
    // that is not level, would meet the extension lines or the dimension
    // line: the label then moves past the extension lines' ends, or beside
    // the dimension line, beyond one of its ends.
    void dimensionLabel(SketchPoint a, SketchPoint b, SketchPoint side, const SketchText& label) {
        std::vector<SketchText> places{label, pushed(label, side, kExtensionOvershoot)};
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length > 0.0) {
            const SketchPoint along = (1.0 / length) * (b - a);
            for (const auto& [end, away] : {std::pair{b, along}, std::pair{a, -1.0 * along}}) {
                SketchText beside = textBeside(end, away, label.text);
                beside.upright = label.upright;
                places.push_back(beside);
            }
        }
        for (int step = 1; step <= kPushSteps; ++step)
            places.push_back(pushed(label, side, kExtensionOvershoot + step * kPushStep));
        m_pending.push_back({m_sketch.dimensions.size(), true, std::move(places), false});
        m_sketch.dimensions.push_back({a, b, label});
    }

    // A text and the places it may take instead, in order: the first that
    // no line crosses and no other text covers (see settle()).
    void text(std::vector<SketchText> places) {
        m_pending.push_back({m_sketch.texts.size(), false, places, false});
        m_sketch.texts.push_back(places.front());
    }

    // A level of the ground (the water table, a layer boundary), level on
    // the page: settle() draws it broken round every label, so that the
    // labels keep the places the footing's own lines leave them.
    void groundLine(SketchPoint a, SketchPoint b, LineStyle style) {
        m_groundLines.push_back({a, b, style});
    }

    // A label of the ground's levels: at the first of its places that no
    // line crosses, the ground's levels included, and no text covers; left
    // out where it has none.
    void groundText(std::vector<SketchText> places) {
        m_pending.push_back({m_sketch.texts.size(), false, places, true});
        m_sketch.texts.push_back(places.front());
    }

    // `t` and the same text moved further along `side`, step by step.
    static std::vector<SketchText> pushedAway(const SketchText& t, SketchPoint side) {
        std::vector<SketchText> places{t};
        for (int step = 1; step <= kPushSteps; ++step)
            places.push_back(pushed(t, side, step * kPushStep));
        return places;
    }

    // An arc of `radius` mm round `centre` from page angle `from` over
    // `sweep` degrees (clockwise on the page), labelled outside its middle.
    void angle(SketchPoint centre, double from, double sweep, std::string text) {
        SketchPolyline arc{{}, LineStyle::Thin};
        for (int i = 0; i <= kArcSegments; ++i)
            arc.points.push_back(centre +
                                 kAngleRadius * direction(from + sweep * i / kArcSegments));
        m_sketch.polylines.push_back(std::move(arc));
        // Past the reference lines, which end at kReferenceLength; a narrow
        // angle leaves no room between them, and the label goes past the
        // end of one, on either side of it.
        const SketchPoint middle = direction(from + 0.5 * sweep);
        std::vector<SketchText> places =
            pushedAway(textBeside(centre + kReferenceLength * middle, middle, text), middle);
        std::vector<SketchText> pastRays;
        for (const double ray : {from, from + sweep}) {
            const SketchPoint along = direction(ray);
            for (const VerticalAlign vertical : {VerticalAlign::Bottom, VerticalAlign::Top}) {
                SketchText t = textBeside(centre + kReferenceLength * along, along, text);
                t.vertical = vertical;
                pastRays.push_back(t);
            }
        }
        places.insert(places.end(), pastRays.begin(), pastRays.end());
        // Lines close on both sides of a ray (a shallow base under the
        // ground's surface): further up or down.
        for (int step = 1; step <= kPushSteps; ++step)
            for (const SketchText& t : pastRays)
                places.push_back(pushed(t, {0.0, t.vertical == VerticalAlign::Bottom ? -1.0 : 1.0},
                                        step * kPushStep));
        this->text(std::move(places));
    }

    // Every text at the first of its places that no stroked line crosses
    // and no text placed before it covers; a text with no such place
    // keeps its first. The dimensions' labels go first.
    Sketch settle() {
        std::vector<std::pair<SketchPoint, SketchPoint>> strokes;
        for (const SketchLine& l : m_sketch.lines)
            strokes.emplace_back(l.a, l.b);
        for (const SketchPolyline& p : m_sketch.polylines)
            for (std::size_t i = 1; i < p.points.size(); ++i)
                strokes.emplace_back(p.points[i - 1], p.points[i]);
        for (const SketchArrow& a : m_sketch.arrows)
            strokes.emplace_back(a.tail, a.head);
        for (const SketchDimension& d : m_sketch.dimensions)
            strokes.emplace_back(d.a, d.b);
        for (const SketchPolygon& p : m_sketch.polygons)
            if (p.fill != FillStyle::Soil) // the soil is filled, not stroked
                for (std::size_t i = 0; i < p.points.size(); ++i)
                    strokes.emplace_back(p.points[i], p.points[(i + 1) % p.points.size()]);
        std::vector<std::pair<SketchPoint, SketchPoint>> levels;
        for (const SketchLine& l : m_groundLines)
            levels.emplace_back(l.a, l.b);

        std::vector<SketchRect> taken;
        const auto clear = [&](const SketchText& t, bool ofLevels) {
            const SketchRect box = t.box();
            const SketchRect inner{box.x + kTouchTolerance, box.y + kTouchTolerance,
                                   box.width - 2.0 * kTouchTolerance,
                                   box.height - 2.0 * kTouchTolerance};
            for (const auto& [a, b] : strokes)
                if (crosses(a, b, inner))
                    return false;
            if (ofLevels)
                for (const auto& [a, b] : levels)
                    if (crosses(a, b, box))
                        return false;
            return std::none_of(taken.begin(), taken.end(),
                                [&](const SketchRect& r) { return overlaps(r, inner); });
        };
        std::stable_partition(m_pending.begin(), m_pending.end(),
                              [](const Pending& p) { return p.dimension; });
        std::vector<std::size_t> dropped;
        for (const Pending& p : m_pending) {
            const auto place =
                std::find_if(p.places.begin(), p.places.end(),
                             [&](const SketchText& t) { return clear(t, p.ground); });
            if (place == p.places.end() && p.ground) {
                dropped.push_back(p.index);
                continue;
            }
            const SketchText& chosen = place != p.places.end() ? *place : p.places.front();
            (p.dimension ? m_sketch.dimensions[p.index].label : m_sketch.texts[p.index]) = chosen;
            taken.push_back(chosen.box());
        }
        std::sort(dropped.rbegin(), dropped.rend());
        for (const std::size_t index : dropped)
            m_sketch.texts.erase(m_sketch.texts.begin() + static_cast<std::ptrdiff_t>(index));
        breakLevels(taken);
        return std::move(m_sketch);
    }

private:
    struct Pending {
        std::size_t index; // into the dimensions or the texts
        bool dimension;
        std::vector<SketchText> places;
        bool ground; // a label of the ground's levels (see groundText())
    };

    // The ground's levels among the lines, each broken where it would
    // pass through a label's box or come within kLevelGap of it.
    void breakLevels(const std::vector<SketchRect>& labels) {
        for (const SketchLine& level : m_groundLines) {
            const double y = level.a.y;
            std::vector<std::pair<double, double>> pieces{
                {std::min(level.a.x, level.b.x), std::max(level.a.x, level.b.x)}};
            for (const SketchRect& box : labels) {
                if (y < box.y - kLevelGap || y > box.bottom() + kLevelGap)
                    continue;
                std::vector<std::pair<double, double>> left;
                for (const auto& [from, to] : pieces) {
                    const double cutFrom = box.x - kLevelGap;
                    const double cutTo = box.right() + kLevelGap;
                    if (cutTo <= from || cutFrom >= to) {
                        left.emplace_back(from, to);
                        continue;
                    }
                    if (cutFrom > from)
                        left.emplace_back(from, cutFrom);
                    if (cutTo < to)
                        left.emplace_back(cutTo, to);
                }
                pieces = std::move(left);
            }
            for (const auto& [from, to] : pieces)
                if (to - from > kLevelGap)
                    m_sketch.lines.push_back({{from, y}, {to, y}, level.style});
        }
    }

    // Between a label and a level broken round it, mm.
    static constexpr double kLevelGap = 0.8;

    double m_scale;
    Sketch m_sketch;
    std::vector<Pending> m_pending;
    std::vector<SketchLine> m_groundLines;
};

void transform(Sketch& sketch, const std::function<SketchPoint(SketchPoint)>& f, double emFactor) {
    auto move = [&](SketchPoint& p) { p = f(p); };
    for (SketchPolygon& polygon : sketch.polygons)
        std::for_each(polygon.points.begin(), polygon.points.end(), move);
    for (SketchLine& l : sketch.lines) {
        move(l.a);
        move(l.b);
    }
    for (SketchPolyline& polyline : sketch.polylines)
        std::for_each(polyline.points.begin(), polyline.points.end(), move);
    for (SketchArrow& arrow : sketch.arrows) {
        move(arrow.tail);
        move(arrow.head);
    }
    for (SketchDimension& d : sketch.dimensions) {
        move(d.a);
        move(d.b);
        move(d.label.anchor);
        d.label.em *= emFactor;
    }
    for (SketchText& text : sketch.texts) {
        move(text.anchor);
        text.em *= emFactor;
    }
}

// The drawing of `build` at the largest scale that fits `frame`, centred in
// it. The fixed-size parts (arrows, dimension offsets, text) do not grow
// with the scale, so the extent at a scale s is a maximum of linear
// functions of s minus a minimum of them: convex, so the scales that fit
// form one interval, whose upper end a bisection finds.
Sketch fitted(const std::function<Sketch(double)>& build, const SketchRect& frame) {
    const double width = frame.width - 2.0 * kInnerMargin;
    const double height = frame.height - 2.0 * kInnerMargin;
    auto fits = [&](double scale) {
        const SketchRect b = build(scale).bounds();
        return b.width <= width && b.height <= height;
    };

    constexpr double kSmallestScale = 1e-4; // mm per m: 100 m in 0.01 mm
    constexpr double kLargestScale = 1e9;
    constexpr double kGrowth = 4.0;
    constexpr double kPrecision = 1e-5; // relative: 0.002 mm on the widest frame
    double scale = kSmallestScale;
    if (fits(kSmallestScale)) {
        double low = kSmallestScale;
        double high = kGrowth * low;
        while (high < kLargestScale && fits(high)) {
            low = high;
            high *= kGrowth;
        }
        while (high - low > kPrecision * high) {
            const double middle = 0.5 * (low + high);
            (fits(middle) ? low : high) = middle;
        }
        scale = low;
    }

    Sketch sketch = build(scale);
    const SketchRect b = sketch.bounds();
    // Only a frame too small for the text and arrows themselves gets here
    // with an overhang: then everything shrinks, text included.
    const double shrink = std::min({1.0, width / std::max(b.width, 1e-9),
                                    height / std::max(b.height, 1e-9)});
    const SketchPoint centre{b.x + 0.5 * b.width, b.y + 0.5 * b.height};
    const SketchPoint target{frame.x + 0.5 * frame.width, frame.y + 0.5 * frame.height};
    transform(
        sketch, [&](SketchPoint p) { return target + shrink * (p - centre); }, shrink);
    return sketch;
}

// The section's inputs as drawn: lengths kept within kMaxDrawnRatio of the
// width, and whether that shortened them.
struct SectionInput {
    double B, D, t, alpha, omega, ex;
    bool depthToScale, eccentricityToScale;
    // The ground's levels drawn, m below the surface.
    std::optional<double> water;
    std::vector<double> boundaries;
};

SectionInput sectionInput(const GeometryData& g, const SectionGround& ground) {
    SectionInput in{};
    in.B = drawnLength(g.B);
    const double D = std::clamp(finiteOr(g.D, 0.0), 0.0, kMaxDrawnLength);
    in.D = std::min(D, kMaxDrawnRatio * in.B);
    in.depthToScale = in.D == D;
    in.t = kFootingThickness * in.B;
    in.alpha = drawnAngle(g.alpha);
    in.omega = drawnAngle(g.omega);
    in.ex = drawnOffset(g.ex, in.B);
    in.eccentricityToScale = in.ex == finiteOr(g.ex, 0.0);
    // Levels only where the drawing is to scale in depth: anywhere else
    // their place beside the footing would mean nothing.
    if (in.depthToScale && in.B == g.B) {
        const double deepest = sectionGroundDepth(g);
        const auto shown = [&](double z) { return std::isfinite(z) && z >= 0.0 && z <= deepest; };
        if (ground.waterTable && shown(*ground.waterTable))
            in.water = *ground.waterTable;
        for (const double z : ground.boundaries)
            if (shown(z) && z > 0.0 && (in.boundaries.empty() || z > in.boundaries.back()))
                in.boundaries.push_back(z);
    }
    return in;
}

// The x on the page where the level at world height `y` meets the ground
// surface on the right: the slope from the crest down to its end, or the
// soil's right edge below it.
double levelEnd(double y, double crest, double endX, double endY) {
    if (endY < 0.0 && y > endY)
        return crest + (y / endY) * (endX - crest);
    return endX;
}

// The part [from, to] of the level at page height `y` outside the convex
// outline `outline`.
std::vector<std::pair<double, double>> outside(double y, double from, double to,
                                               const std::vector<SketchPoint>& outline) {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const SketchPoint p = outline[i];
        const SketchPoint q = outline[(i + 1) % outline.size()];
        if ((p.y - y) * (q.y - y) > 0.0)
            continue;
        if (p.y == q.y) {
            low = std::min({low, p.x, q.x});
            high = std::max({high, p.x, q.x});
            continue;
        }
        const double x = p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y);
        low = std::min(low, x);
        high = std::max(high, x);
    }
    if (!(low <= high) || high <= from || low >= to)
        return {{from, to}};
    std::vector<std::pair<double, double>> parts;
    if (low > from)
        parts.emplace_back(from, low);
    if (high < to)
        parts.emplace_back(high, to);
    return parts;
}

// The water table and the layer boundaries across the soil, broken round
// the footing, with the water's mark and label and each layer's number.
void groundLevels(Builder& b, const SectionInput& in, const SketchPolygon& footing,
                  double groundLeft, double crest, double endX, double endY, double soilBottom) {
    const auto level = [&](double z, LineStyle style) {
        const double y = b.at(0.0, -z).y;
        const double from = b.at(groundLeft, 0.0).x;
        const double to = b.at(levelEnd(-z, crest, endX, endY), 0.0).x;
        const auto parts = outside(y, from, to, footing.points);
        for (const auto& [x0, x1] : parts)
            b.groundLine({x0, y}, {x1, y}, style);
        return parts;
    };
    for (const double z : in.boundaries)
        level(z, LineStyle::Layer);
    if (in.water) {
        const auto parts = level(*in.water, LineStyle::Water);
        const double y = b.at(0.0, -*in.water).y;
        // The inverted triangle near the level's right end, clear of a
        // slope that meets the level there; the label on its left above
        // the level, or elsewhere along it.
        double inset = kWaterMarkInset;
        const double slope = in.omega * kPi / 180.0;
        if (endY < 0.0 && -*in.water > endY && std::tan(slope) > 0.0)
            inset += kWaterMarkHeight / std::tan(slope);
        if (!parts.empty() &&
            parts.back().second - parts.back().first >= inset + kWaterMarkRoom - kWaterMarkInset) {
            const double x = parts.back().second - inset;
            b.sketch().polylines.push_back({{{x - kWaterMarkHalfWidth, y - kWaterMarkHeight},
                                             {x + kWaterMarkHalfWidth, y - kWaterMarkHeight},
                                             {x, y},
                                             {x - kWaterMarkHalfWidth, y - kWaterMarkHeight}},
                                            LineStyle::WaterMark});
            b.sketch().lines.push_back({{x - 0.6 * kWaterMarkHalfWidth, y + kWaterMarkTick},
                                        {x + 0.6 * kWaterMarkHalfWidth, y + kWaterMarkTick},
                                        LineStyle::WaterMark});
        }
        const std::string text = "falda, zw = " + formatFixed(*in.water, 2) + " m";
        std::vector<SketchText> places;
        for (const auto& [x0, x1] : std::vector(parts.rbegin(), parts.rend())) {
            // Left of the mark on the last piece, which holds it.
            const double beforeMark =
                x1 == parts.back().second ? inset + kWaterMarkRoom - kWaterMarkInset : kLabelGap;
            const SketchPoint right{x1 - beforeMark, y};
            const SketchPoint left{x0 + kLabelGap, y};
            for (const SketchPoint at : {right, left})
                for (const VerticalAlign vertical : {VerticalAlign::Bottom, VerticalAlign::Top}) {
                    SketchText t =
                        textBeside(at, {0.0, vertical == VerticalAlign::Bottom ? -1.0 : 1.0}, text);
                    t.horizontal = at.x == right.x ? HorizontalAlign::Right : HorizontalAlign::Left;
                    places.push_back(t);
                }
        }
        if (!places.empty())
            b.groundText(std::move(places));
    }
    // Each layer's number in its band, at the right end of the band's
    // middle or else at its left end; a band too thin for it stays without.
    if (in.boundaries.empty())
        return;
    std::vector<double> tops{0.0};
    tops.insert(tops.end(), in.boundaries.begin(), in.boundaries.end());
    for (std::size_t k = 0; k < tops.size(); ++k) {
        const double top = tops[k];
        const double bottom = k + 1 < tops.size() ? tops[k + 1] : -soilBottom;
        const double middle = 0.5 * (top + bottom);
        const double x =
            b.at(std::min(levelEnd(-top, crest, endX, endY), levelEnd(-bottom, crest, endX, endY)),
                 0.0)
                .x;
        const double y = b.at(0.0, -middle).y;
        const std::string text = "strato " + std::to_string(k + 1);
        std::vector<SketchText> places =
            Builder::pushedAway(textBeside({x - kLabelGap, y}, {-1.0, 0.0}, text), {-1.0, 0.0});
        for (const SketchText& t : Builder::pushedAway(
                 textBeside({b.at(groundLeft, 0.0).x + kLabelGap, y}, {1.0, 0.0}, text),
                 {1.0, 0.0}))
            places.push_back(t);
        b.groundText(std::move(places));
    }
}

Sketch buildSection(const GeometryData& g, const SectionInput& in, double scale) {
    Builder b(scale);
    const double a = in.alpha * kPi / 180.0;
    // The base turns clockwise by alpha round its centre C at depth D:
    // u runs along the base, v away from it into the footing.
    const double ux = std::cos(a), uy = -std::sin(a);
    const double vx = std::sin(a), vy = std::cos(a);
    auto local = [&](double along, double across) {
        return std::pair{along * ux + across * vx, -in.D + along * uy + across * vy};
    };
    auto page = [&](double along, double across) {
        const auto [x, y] = local(along, across);
        return b.at(x, y);
    };

    const double half = 0.5 * in.B;
    const std::pair<double, double> corners[] = {
        local(-half, 0.0), local(half, 0.0), local(half, in.t), local(-half, in.t)};
    const auto [px, py] = local(in.ex, in.t);
    double minX = px, maxX = px, minY = py;
    for (const auto& [x, y] : corners) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
    }

    // Ground: level over the footing, then the slope from a crest to its
    // right; an overhanging slope (omega > 90) leans back towards the
    // footing, hence the gap that grows with the depth.
    // Room on the left of the base for alpha's label, between the base
    // and the depth's dimension, and on the side of T's tail for T and
    // its label, clear of the depth's dimension and of the slope.
    const auto widthOf = [](std::string text) {
        SketchText t;
        t.text = std::move(text);
        return t.box().width;
    };
    double groundLeft = minX - kGroundLeft * in.B;
    double crest = maxX + kCrestGap * in.B + kCrestGapPerDepth * (in.D + in.t);
    if (in.alpha != 0.0) {
        const double room = kReferenceLength + 2.0 * kLabelGap + widthOf(degrees("\u03b1", g.alpha));
        groundLeft = std::min(groundLeft, corners[0].first - room / scale);
    }
    const double shear = finiteOr(g.T, 0.0);
    if (shear != 0.0) {
        const double room = kArrowLength + 0.5 * widthOf(force("T", g.T)) + kLabelGap;
        if (shear > 0.0)
            groundLeft = std::min(groundLeft, px - room / scale);
        else
            crest = std::max(crest, px + room / scale);
    }
    const double slopeLength = std::max(in.B, in.D + in.t);
    const double w = in.omega * kPi / 180.0;
    const double endX = in.omega > 0.0 ? crest + slopeLength * std::cos(w) : crest + 0.6 * in.B;
    const double endY = in.omega > 0.0 ? -slopeLength * std::sin(w) : 0.0;
    double soilBottom = std::min(minY, endY) - kSoilBelow * in.B;
    for (const double z : in.boundaries)
        soilBottom = std::min(soilBottom, -z - kSoilBelowLevels * in.B);
    if (in.water)
        soilBottom = std::min(soilBottom, -*in.water - kSoilBelowLevels * in.B);
    b.sketch().polygons.push_back({{b.at(groundLeft, 0.0), b.at(crest, 0.0), b.at(endX, endY),
                                    b.at(endX, soilBottom), b.at(groundLeft, soilBottom)},
                                   FillStyle::Soil});
    b.sketch().polylines.push_back(
        {{b.at(groundLeft, 0.0), b.at(crest, 0.0), b.at(endX, endY)}, LineStyle::Outline});

    SketchPolygon footing{{}, FillStyle::Footing};
    for (const auto& [x, y] : corners)
        footing.points.push_back(b.at(x, y));
    b.sketch().polygons.push_back(footing);
    groundLevels(b, in, footing, groundLeft, crest, endX, endY, soilBottom);
    // The centre line just past the footing, clear of the load's label.
    const SketchPoint axisOut{vx, -vy}; // v on the page
    const SketchPoint axisBottom = page(0.0, 0.0) - kAxisOvershoot * axisOut;
    const SketchPoint axisTop = page(0.0, in.t) + kAxisOvershoot * axisOut;
    b.line(axisBottom, axisTop, LineStyle::Axis);

    const SketchPoint load = b.at(px, py);
    if (std::fabs(in.ex) > half)
        b.line(page(in.ex > 0.0 ? half : -half, in.t), load, LineStyle::Dashed);

    // Loads: N straight down onto the load point, T level just above it,
    // its head on N's line. A tilted footing rises beside the load point: T and the labels go
    // above whatever of the footing and its centre line lies under them,
    // and N grows longer to stay above T.
    std::vector<std::pair<SketchPoint, SketchPoint>> body;
    for (std::size_t i = 0; i < footing.points.size(); ++i)
        body.emplace_back(footing.points[i], footing.points[(i + 1) % footing.points.size()]);
    body.emplace_back(axisBottom, axisTop);
    const SketchPoint up{0.0, -1.0}, down{0.0, 1.0}, leftward{-1.0, 0.0}, rightward{1.0, 0.0};
    const auto halfWidth = [](const std::string& text) {
        SketchText t;
        t.text = text;
        return 0.5 * t.box().width;
    };
    const double labelHeight = SketchText{}.box().height;
    const double T = finiteOr(g.T, 0.0);
    double nTailY = load.y - kArrowLength;
    if (T != 0.0) {
        const SketchPoint away = T > 0.0 ? leftward : rightward;
        const double tailX = load.x + kArrowLength * away.x;
        const double half = halfWidth(force("T", g.T));
        const double under = highestWithin(body, std::min(tailX - half, load.x),
                                           std::max(tailX + half, load.x));
        const double headY = std::min(load.y, under) - kShearLift;
        const SketchPoint head{load.x, headY};
        const SketchPoint tail = head + kArrowLength * away;
        b.sketch().arrows.push_back({tail, head});
        std::vector<SketchText> tPlaces =
            Builder::pushedAway(textBeside(tail, up, force("T", g.T)), up);
        tPlaces.push_back(textBeside(tail, away, force("T", g.T)));
        tPlaces.push_back(textBeside(tail, down, force("T", g.T)));
        b.text(std::move(tPlaces));
        nTailY = std::min(nTailY, headY - 2.0 * kLabelGap - labelHeight);
    }
    const double nHalf = halfWidth(force("N", g.N));
    nTailY = std::min(nTailY, highestWithin(body, load.x - nHalf, load.x + nHalf) - kLabelGap);
    const SketchPoint nTail{load.x, nTailY};
    b.sketch().arrows.insert(b.sketch().arrows.begin(), {nTail, load});
    std::vector<SketchText> nPlaces = Builder::pushedAway(textBeside(nTail, up, force("N", g.N)), up);
    nPlaces.push_back(textBeside(nTail, leftward, force("N", g.N)));
    nPlaces.push_back(textBeside(nTail, rightward, force("N", g.N)));
    b.text(std::move(nPlaces));

    // Dimensions below the base (turned with it): the part ex next to the
    // base, the whole B outside it, so that no extension line crosses a label.
    const SketchPoint outward{-vx, vy}; // -v on the page
    double bOffset = kDimensionOffset;
    double bStart = kExtensionGap;
    if (in.ex != 0.0) {
        const double exReach = b.dimension(page(0.0, 0.0), page(in.ex, 0.0), outward, kDimensionOffset,
                                           metres("ex", g.ex, in.eccentricityToScale));
        bStart = exReach + kExtensionGap;
        bOffset = std::max(kDimensionOffset + kDimensionStep, bStart + kLabelGap);
    }
    b.dimension(page(-half, 0.0), page(half, 0.0), outward, bOffset, metres("B", g.B), bStart);

    // D at the left end of the ground, from the surface to the base centre.
    if (in.D > 0.0) {
        const SketchPoint surface = b.at(groundLeft, 0.0);
        const SketchPoint base = b.at(0.0, -in.D);
        const double x = surface.x - kDimensionOffset;
        const SketchPoint top{x, surface.y};
        const SketchPoint bottom{x, base.y};
        b.line(surface - SketchPoint{kExtensionGap, 0.0}, top - SketchPoint{kExtensionOvershoot, 0.0},
               LineStyle::Thin);
        b.line(base, bottom - SketchPoint{kExtensionOvershoot, 0.0}, LineStyle::Thin);
        SketchText label =
            textBeside(midpoint(top, bottom), {-1.0, 0.0}, metres("D", g.D, in.depthToScale));
        label.upright = true;
        b.dimensionLabel(top, bottom, {-1.0, 0.0}, label);
    }

    // Angles: omega at the crest below the level, alpha at the base's upper
    // end, outside the footing (between the level and the base produced).
    if (in.omega != 0.0) {
        const SketchPoint c = b.at(crest, 0.0);
        b.line(c, c + SketchPoint{kReferenceLength, 0.0}, LineStyle::Dashed);
        b.angle(c, 0.0, in.omega, degrees("\u03c9", g.omega));
    }
    if (in.alpha != 0.0) {
        const SketchPoint c = page(-half, 0.0);
        b.line(c, c + SketchPoint{-kReferenceLength, 0.0}, LineStyle::Dashed);
        b.line(c, c + kReferenceLength * direction(180.0 + in.alpha), LineStyle::Dashed);
        b.angle(c, 180.0, in.alpha, degrees("\u03b1", g.alpha));
    }
    // The soil reaches below the dimensions under the base, so that no
    // label stands half on it.
    Sketch sketch = b.settle();
    double lowest = -std::numeric_limits<double>::infinity();
    for (const SketchDimension& d : sketch.dimensions)
        lowest = std::max({lowest, d.a.y, d.b.y, d.label.box().bottom()});
    SketchPolygon& soil = sketch.polygons.front();
    for (const std::size_t bottom : {3, 4})
        soil.points[bottom].y = std::max(soil.points[bottom].y, lowest + kLabelGap);
    return sketch;
}

struct PlanInput {
    double B, L;                 // drawn
    double kx, ky;               // drawn over true, along B and along L
    double ex, ey;               // the load point as drawn
    double effLeft, effRight;    // the effective area as drawn, when it exists
    double effBottom, effTop;
    bool effective;
    bool widthToScale, lengthToScale, exToScale, eyToScale;
};

PlanInput planInput(const GeometryData& g) {
    PlanInput in{};
    const double B = drawnLength(g.B);
    const double L = drawnLength(g.L);
    in.B = std::min(B, kMaxDrawnRatio * L);
    in.L = std::min(L, kMaxDrawnRatio * B);
    in.kx = in.B / B;
    in.ky = in.L / L;
    in.widthToScale = in.kx == 1.0;
    in.lengthToScale = in.ky == 1.0;
    const double ex = drawnOffset(g.ex, B);
    const double ey = drawnOffset(g.ey, L);
    in.exToScale = in.widthToScale && ex == finiteOr(g.ex, 0.0);
    in.eyToScale = in.lengthToScale && ey == finiteOr(g.ey, 0.0);
    in.ex = ex * in.kx;
    in.ey = ey * in.ky;
    // B' x L' sits against the edges the load leans towards, centred on it.
    const double Bp = B - 2.0 * std::fabs(ex);
    const double Lp = L - 2.0 * std::fabs(ey);
    in.effective = Bp > 0.0 && Lp > 0.0;
    if (in.effective) {
        in.effLeft = (ex - 0.5 * Bp) * in.kx;
        in.effRight = (ex + 0.5 * Bp) * in.kx;
        in.effBottom = (ey - 0.5 * Lp) * in.ky;
        in.effTop = (ey + 0.5 * Lp) * in.ky;
    }
    return in;
}

Sketch buildPlan(const GeometryData& g, const PlanInput& in, double scale) {
    Builder b(scale);
    const double hx = 0.5 * in.B;
    const double hy = 0.5 * in.L;
    b.sketch().polygons.push_back(
        {{b.at(-hx, -hy), b.at(hx, -hy), b.at(hx, hy), b.at(-hx, hy)}, FillStyle::Footing});
    if (in.effective)
        b.sketch().polygons.push_back({{b.at(in.effLeft, in.effBottom), b.at(in.effRight, in.effBottom),
                                        b.at(in.effRight, in.effTop), b.at(in.effLeft, in.effTop)},
                                       FillStyle::EffectiveArea});
    b.line(b.at(-hx, 0.0) - SketchPoint{kAxisOvershoot, 0.0},
           b.at(hx, 0.0) + SketchPoint{kAxisOvershoot, 0.0}, LineStyle::Axis);
    b.line(b.at(0.0, -hy) + SketchPoint{0.0, kAxisOvershoot},
           b.at(0.0, hy) - SketchPoint{0.0, kAxisOvershoot}, LineStyle::Axis);

    // The load point: a small circle with a cross.
    const SketchPoint p = b.at(in.ex, in.ey);
    SketchPolyline mark{{}, LineStyle::Outline};
    for (int i = 0; i <= kArcSegments; ++i)
        mark.points.push_back(p + kMarkRadius * direction(360.0 * i / kArcSegments));
    b.sketch().polylines.push_back(std::move(mark));
    b.line(p - SketchPoint{1.7 * kMarkRadius, 0.0}, p + SketchPoint{1.7 * kMarkRadius, 0.0},
           LineStyle::Thin);
    b.line(p - SketchPoint{0.0, 1.7 * kMarkRadius}, p + SketchPoint{0.0, 1.7 * kMarkRadius},
           LineStyle::Thin);
    // Its label on a diagonal, above on the right unless a line is there,
    // further out where lines are close on every side.
    std::vector<SketchText> nPlaces;
    for (int step = 0; step <= kPushSteps; ++step)
        for (const double diagonal : {-45.0, -135.0, 45.0, 135.0})
            nPlaces.push_back(textBeside(p + (std::sqrt(2.0) * kMarkRadius + step * kPushStep) *
                                                 direction(diagonal),
                                         direction(diagonal), "N"));
    b.text(std::move(nPlaces));

    const SketchPoint down{0.0, 1.0}, up{0.0, -1.0}, left{-1.0, 0.0}, right{1.0, 0.0};
    b.dimension(b.at(-hx, -hy), b.at(hx, -hy), down, kDimensionOffset,
                metres("B", g.B, in.widthToScale));
    b.dimension(b.at(-hx, -hy), b.at(-hx, hy), left, kDimensionOffset,
                metres("L", g.L, in.lengthToScale));
    // Above and on the right: the eccentricity next to the outline, the
    // effective dimension outside it.
    // The outer one past the reach of the inner one's label.
    const auto outer = [&](double innerReach) {
        const double start = innerReach + kExtensionGap;
        return std::pair{std::max(kDimensionOffset + kDimensionStep, start + kLabelGap), start};
    };
    if (in.ex != 0.0) {
        const double reach = b.dimension(b.at(0.0, hy), b.at(in.ex, hy), up, kDimensionOffset,
                                         metres("ex", g.ex, in.exToScale));
        if (in.effective) {
            const auto [offset, start] = outer(reach);
            b.dimension(b.at(in.effLeft, hy), b.at(in.effRight, hy), up, offset,
                        metres("B\u2032", g.B - 2.0 * std::fabs(g.ex), in.widthToScale), start);
        }
    }
    if (in.ey != 0.0) {
        const double reach = b.dimension(b.at(hx, 0.0), b.at(hx, in.ey), right, kDimensionOffset,
                                         metres("ey", g.ey, in.eyToScale));
        if (in.effective) {
            const auto [offset, start] = outer(reach);
            b.dimension(b.at(hx, in.effBottom), b.at(hx, in.effTop), right, offset,
                        metres("L\u2032", g.L - 2.0 * std::fabs(g.ey), in.lengthToScale), start);
        }
    }
    if (!in.effective) {
        const SketchPoint below = b.at(0.0, -hy) + SketchPoint{0.0, kDimensionOffset + kDimensionStep};
        b.text(Builder::pushedAway(
            textBeside(below, down, "Area efficace nulla: risultante fuori dalla base"), down));
    }
    return b.settle();
}

} // namespace

bool SketchRect::contains(SketchPoint p, double slack) const {
    return p.x >= x - slack && p.x <= right() + slack && p.y >= y - slack && p.y <= bottom() + slack;
}

bool SketchRect::contains(const SketchRect& r, double slack) const {
    return contains(SketchPoint{r.x, r.y}, slack) && contains(SketchPoint{r.right(), r.bottom()}, slack);
}

SketchRect SketchText::box() const {
    const double length = static_cast<double>(characterCount(text)) * kAdvancePerChar * em;
    const double thickness = kLineHeight * em;
    const double w = upright ? thickness : length;
    const double h = upright ? length : thickness;
    SketchRect r{anchor.x, anchor.y, w, h};
    if (horizontal == HorizontalAlign::Centre)
        r.x -= 0.5 * w;
    else if (horizontal == HorizontalAlign::Right)
        r.x -= w;
    if (vertical == VerticalAlign::Middle)
        r.y -= 0.5 * h;
    else if (vertical == VerticalAlign::Bottom)
        r.y -= h;
    return r;
}

SketchRect Sketch::bounds() const {
    const std::vector<SketchPoint> points = extentPoints();
    if (points.empty())
        return {};
    double left = points.front().x, right = left, top = points.front().y, bottom = top;
    for (const SketchPoint& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {left, top, right - left, bottom - top};
}

std::vector<SketchPoint> Sketch::extentPoints() const {
    std::vector<SketchPoint> points;
    auto addText = [&](const SketchText& t) {
        const SketchRect r = t.box();
        points.push_back({r.x, r.y});
        points.push_back({r.right(), r.bottom()});
    };
    for (const SketchPolygon& p : polygons)
        points.insert(points.end(), p.points.begin(), p.points.end());
    for (const SketchLine& l : lines) {
        points.push_back(l.a);
        points.push_back(l.b);
    }
    for (const SketchPolyline& p : polylines)
        points.insert(points.end(), p.points.begin(), p.points.end());
    for (const SketchArrow& a : arrows) {
        points.push_back(a.tail);
        points.push_back(a.head);
    }
    for (const SketchDimension& d : dimensions) {
        points.push_back(d.a);
        points.push_back(d.b);
        addText(d.label);
    }
    for (const SketchText& t : texts)
        addText(t);
    return points;
}

double sectionGroundDepth(const GeometryData& geometry) {
    return finiteOr(geometry.D, 0.0) + 2.0 * finiteOr(geometry.B, 0.0);
}

Sketch sectionSketch(const GeometryData& geometry, const SketchRect& frame,
                     const SectionGround& ground) {
    const SectionInput in = sectionInput(geometry, ground);
    return fitted([&](double scale) { return buildSection(geometry, in, scale); }, frame);
}

Sketch planSketch(const GeometryData& geometry, const SketchRect& frame) {
    const PlanInput in = planInput(geometry);
    return fitted([&](double scale) { return buildPlan(geometry, in, scale); }, frame);
}

} // namespace zolt::document
