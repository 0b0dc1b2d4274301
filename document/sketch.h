// The foundation drawings of the full report as plain geometry: the
// section (ground, slope, tilted base, loads) and the plan (B x L, load
// point, effective area), each fitted into a frame of the page.
//
// Everything is in the frame's coordinates: millimetres, x to the right and
// y downwards, as on the page. The painter only strokes and fills what it
// gets; all the decisions (scale, what is drawn where, what is left out)
// are taken here, without Qt, so that they can be tested at the extremes.
#pragma once

#include "model/records.h"

#include <optional>
#include <string>
#include <vector>

namespace zolt::document {

struct SketchPoint {
    double x = 0.0; // mm, to the right
    double y = 0.0; // mm, downwards
};

// An axis-aligned rectangle of the page, mm.
struct SketchRect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;

    double right() const { return x + width; }
    double bottom() const { return y + height; }
    // True when `p` lies inside, edges included, with `slack` mm to spare.
    bool contains(SketchPoint p, double slack = 1e-9) const;
    bool contains(const SketchRect& r, double slack = 1e-9) const;
};

enum class LineStyle {
    Outline,   // edges of the footing and the ground surface
    Thin,      // dimension and extension lines, angle arcs
    Dashed,    // reference lines and the lever to a load point off the base
    Axis,      // centre lines, dash-dot
    Water,     // the water table, dashed blue
    WaterMark, // the water table's inverted triangle, solid blue
    Layer,     // a boundary between two layers of the ground
};

enum class FillStyle {
    Soil,
    Footing,
    EffectiveArea, // the plan's B' x L'
};

struct SketchLine {
    SketchPoint a;
    SketchPoint b;
    LineStyle style = LineStyle::Thin;
};

// An open chain of segments (angle arcs, the ground profile, load marks).
struct SketchPolyline {
    std::vector<SketchPoint> points;
    LineStyle style = LineStyle::Thin;
};

// A closed, filled outline; Footing and EffectiveArea are also stroked.
struct SketchPolygon {
    std::vector<SketchPoint> points;
    FillStyle fill = FillStyle::Footing;
};

// A force: the head is its point of action, the head's barbs lie on the
// shaft side of it.
struct SketchArrow {
    SketchPoint tail;
    SketchPoint head;
};

enum class HorizontalAlign { Left, Centre, Right };
enum class VerticalAlign { Top, Middle, Bottom };

// One line of text. The painter draws it in a font whose em is `em` mm,
// shrunk if needed so that it stays inside box(). The alignments place the
// box against the anchor on the page, whichever way the text runs.
struct SketchText {
    SketchPoint anchor;
    std::string text; // UTF-8
    HorizontalAlign horizontal = HorizontalAlign::Centre;
    VerticalAlign vertical = VerticalAlign::Middle;
    double em = 2.6;       // mm
    bool upright = false;  // runs upwards (turned a quarter anticlockwise), beside vertical lines

    // The room the text may take: a generous estimate of its extent in a
    // proportional sans-serif font.
    SketchRect box() const;
};

// A dimension line from `a` to `b` with arrowheads pointing at both ends;
// its extension lines are among the sketch's lines.
struct SketchDimension {
    SketchPoint a;
    SketchPoint b;
    SketchText label;
};

struct Sketch {
    std::vector<SketchPolygon> polygons; // painted first
    std::vector<SketchLine> lines;
    std::vector<SketchPolyline> polylines;
    std::vector<SketchArrow> arrows;
    std::vector<SketchDimension> dimensions;
    std::vector<SketchText> texts;

    // Every point the painter strokes or fills, and the corners of every
    // text box: what must stay inside the frame.
    std::vector<SketchPoint> extentPoints() const;
    // The smallest rectangle holding every extent point; empty for none.
    SketchRect bounds() const;
};

// Lengths drawn shorter than their scale would make them, marked "fuori
// scala" on their dimension: a depth or an eccentricity many times the
// width, or a plan many times longer than wide, would otherwise shrink the
// footing to a dot.
constexpr double kMaxDrawnRatio = 3.0;

// The ground under the section: the water table and the boundaries
// between layers, in m below the ground surface.
struct SectionGround {
    std::optional<double> waterTable;
    std::vector<double> boundaries; // the top of each layer below the first, downwards

    bool empty() const { return !waterTable && boundaries.empty(); }
};

// How deep the section shows the ground, m below the ground surface: D + 2B,
// the depth the ground model looks at (its means reach B below the base,
// its weaker layer 2B). Deeper levels are left out of the drawing.
double sectionGroundDepth(const GeometryData& geometry);

// The section through the footing along B: ground surface with its slope
// omega on the right, the footing with its base at depth D tilted by
// alpha, width B, the load N with its shear T at the eccentricity ex, and
// their dimensions; with `ground`, the water table (its level with the
// inverted triangle and "falda") and the layer boundaries down to
// sectionGroundDepth, each layer numbered where it has room, those lines
// broken round the footing and round every label. Fitted into `frame` at
// the largest scale that keeps every line and text inside it. With an
// empty `ground` it is the drawing of the footing alone. A depth drawn out
// of scale leaves the ground's levels out.
Sketch sectionSketch(const GeometryData& geometry, const SketchRect& frame,
                     const SectionGround& ground = {});

// The plan: the base B x L, its centre lines, the load point at (ex, ey)
// and the effective area B' x L' shaded, with their dimensions.
Sketch planSketch(const GeometryData& geometry, const SketchRect& frame);

} // namespace zolt::document
