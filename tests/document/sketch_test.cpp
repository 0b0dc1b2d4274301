// The foundation drawings at the extremes of every input: inside their
// frame, as large as the frame allows, to scale where they say so.
#include "document/sketch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace zolt::document {
namespace {

// The report's frame and a cramped one.
constexpr SketchRect kReportFrame{20.0, 30.0, 170.0, 75.0};
constexpr SketchRect kSmallFrame{0.0, 0.0, 60.0, 40.0};

// The first point outside `frame`, described; empty when there is none.
std::string firstOutside(const Sketch& s, const SketchRect& frame) {
    for (const SketchPoint& p : s.extentPoints())
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !frame.contains(p, 1e-6))
            return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
    return {};
}

const SketchDimension* dimensionNamed(const Sketch& s, const std::string& prefix) {
    for (const SketchDimension& d : s.dimensions)
        if (d.label.text.rfind(prefix, 0) == 0)
            return &d;
    return nullptr;
}

double length(const SketchDimension& d) {
    return std::hypot(d.b.x - d.a.x, d.b.y - d.a.y);
}

// Whether the segment from a to b enters the inside of `r` (clipped
// against each pair of sides in turn).
bool entersBox(SketchPoint a, SketchPoint b, const SketchRect& r) {
    double enter = 0.0, leave = 1.0;
    const double d[2] = {b.x - a.x, b.y - a.y};
    const double from[2] = {a.x, a.y};
    const double low[2] = {r.x, r.y};
    const double high[2] = {r.right(), r.bottom()};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0.0) {
            if (from[axis] <= low[axis] || from[axis] >= high[axis])
                return false;
            continue;
        }
        double t0 = (low[axis] - from[axis]) / d[axis];
        double t1 = (high[axis] - from[axis]) / d[axis];
        if (t0 > t1)
            std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
    }
    return enter < leave;
}

// The first label a stroked line runs through, with the line's kind;
// empty when every label stands clear. Soil is only filled.
std::string firstCrossedLabel(const Sketch& s) {
    std::vector<std::pair<SketchPoint, SketchPoint>> strokes;
    for (const SketchLine& l : s.lines)
        strokes.emplace_back(l.a, l.b);
    for (const SketchPolyline& p : s.polylines)
        for (std::size_t i = 1; i < p.points.size(); ++i)
            strokes.emplace_back(p.points[i - 1], p.points[i]);
    for (const SketchArrow& a : s.arrows)
        strokes.emplace_back(a.tail, a.head);
    for (const SketchDimension& d : s.dimensions)
        strokes.emplace_back(d.a, d.b);
    for (const SketchPolygon& p : s.polygons)
        if (p.fill != FillStyle::Soil)
            for (std::size_t i = 0; i < p.points.size(); ++i)
                strokes.emplace_back(p.points[i], p.points[(i + 1) % p.points.size()]);
    std::vector<SketchText> labels = s.texts;
    for (const SketchDimension& d : s.dimensions)
        labels.push_back(d.label);
    constexpr double kEdge = 0.1; // a line along a box's edge leaves the letters clear
    for (const SketchText& t : labels) {
        const SketchRect b = t.box();
        const SketchRect inner{b.x + kEdge, b.y + kEdge, b.width - 2 * kEdge, b.height - 2 * kEdge};
        for (const auto& [a, z] : strokes)
            if (entersBox(a, z, inner))
                return t.text;
    }
    return {};
}

TEST(Sketch, EveryInputFromTheSmallestToBeyondTheFieldsStaysInsideTheFrame) {
    for (double B : {0.1, 1.0, 99.9})
        for (double L : {B, 99.9})
            for (double D : {0.0, 1.0, 99.9})
                for (double alpha : {0.0, 90.0, 99.9})
                    for (double omega : {0.0, 90.0, 99.9})
                        for (double ex : {0.0, B / 2, 2 * B, 99.9})
                            for (double ey : {0.0, L / 2, 99.9})
                                for (double T : {0.0, 9999999.0}) {
                                    const GeometryData g{B, L, D, alpha, omega, ex, ey, 9999999.0, T};
                                    for (const SketchRect& frame : {kReportFrame, kSmallFrame}) {
                                        const std::string section = firstOutside(sectionSketch(g, frame), frame);
                                        const std::string plan = firstOutside(planSketch(g, frame), frame);
                                        ASSERT_TRUE(section.empty() && plan.empty())
                                            << "B=" << B << " L=" << L << " D=" << D << " alpha=" << alpha
                                            << " omega=" << omega << " ex=" << ex << " ey=" << ey << " T=" << T
                                            << " frame " << frame.width << "x" << frame.height
                                            << ": section " << section << " plan " << plan;
                                    }
                                }
}

TEST(Sketch, ValuesNoInputFieldAdmitsStillGiveAFiniteDrawingInsideTheFrame) {
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    for (const GeometryData& g : {GeometryData{0, 0, 0, 0, 0, 0, 0, 0, 0},
                                  GeometryData{nan, nan, nan, nan, nan, nan, nan, nan, nan},
                                  GeometryData{inf, -inf, inf, -inf, inf, -inf, inf, -inf, inf},
                                  GeometryData{5, 1, -3, -40, -60, -2, -9, -100, -100}}) {
        EXPECT_EQ(firstOutside(sectionSketch(g, kReportFrame), kReportFrame), "") << g.B;
        EXPECT_EQ(firstOutside(planSketch(g, kReportFrame), kReportFrame), "") << g.B;
    }
}

// A drawing that fits by being tiny would pass the test above: the scale
// must be the largest that fits, so one direction fills the frame.
TEST(Sketch, FillsItsFrameInOneDirection) {
    for (const GeometryData& g : {GeometryData{}, GeometryData{0.1, 99.9, 99.9, 99.9, 99.9, 5, 5, 1, 1},
                                  GeometryData{99.9, 99.9, 0, 0, 0, 0, 0, 0, 0}}) {
        for (const Sketch& s : {sectionSketch(g, kReportFrame), planSketch(g, kReportFrame)}) {
            const SketchRect e = s.bounds();
            const double widthShare = e.width / kReportFrame.width;
            const double heightShare = e.height / kReportFrame.height;
            EXPECT_GT(std::max(widthShare, heightShare), 0.95) << g.B << " " << g.L;
        }
    }
}

// Short and tilted dimensions, a shallow or deep tilted base, loads by
// the base's edge: every label clear of every line, for bases tilted up to
// 60 degrees and slopes up to the vertical.
TEST(Sketch, NoLineCrossesALabel) {
    for (double B : {0.1, 1.0, 2.0, 99.9})
        for (double D : {0.0, 0.5, 3.0, 99.9})
            for (double alpha : {0.0, 2.0, 10.0, 30.0, 60.0})
                for (double omega : {0.0, 5.0, 90.0})
                    for (double ex : {0.0, 0.05, B / 2, 2 * B})
                        for (double T : {0.0, 8000.0, -8000.0}) {
                            const double L = B < 2 ? 3.0 : B;
                            const GeometryData g{B, L, D, alpha, omega, ex, ex == 0 ? 0.0 : L / 4, 50000, T};
                            const std::string section = firstCrossedLabel(sectionSketch(g, kReportFrame));
                            const std::string plan = firstCrossedLabel(planSketch(g, kReportFrame));
                            ASSERT_TRUE(section.empty() && plan.empty())
                                << "B=" << B << " D=" << D << " alpha=" << alpha << " omega=" << omega
                                << " ex=" << ex << " T=" << T << ": section '" << section << "' plan '"
                                << plan << "'";
                        }
}

TEST(Sketch, LengthsAreToScaleUnlessMarkedOutOfScale) {
    struct Case {
        GeometryData g;
        bool depthToScale, lengthToScale;
    };
    const Case cases[] = {
        {{2, 3, 1.5, 10, 20, 0.3, 0.2, 10000, 1000}, true, true},
        {{0.1, 99.9, 99.9, 0, 0, 0, 0, 0, 0}, false, false},
        {{1, 3, 3, 0, 0, 0, 0, 0, 0}, true, true}, // exactly the limit ratio
    };
    for (const Case& c : cases) {
        const Sketch section = sectionSketch(c.g, kReportFrame);
        const SketchDimension* B = dimensionNamed(section, "B =");
        const SketchDimension* D = dimensionNamed(section, "D =");
        ASSERT_TRUE(B && D);
        const bool depthMarked = D->label.text.find("fuori scala") != std::string::npos;
        EXPECT_EQ(depthMarked, !c.depthToScale) << D->label.text;
        if (c.depthToScale) {
            EXPECT_NEAR(length(*D) / length(*B), c.g.D / c.g.B, 1e-9);
        }

        const Sketch plan = planSketch(c.g, kReportFrame);
        const SketchDimension* pB = dimensionNamed(plan, "B =");
        const SketchDimension* pL = dimensionNamed(plan, "L =");
        ASSERT_TRUE(pB && pL);
        EXPECT_EQ(pL->label.text.find("fuori scala") == std::string::npos, c.lengthToScale);
        if (c.lengthToScale) {
            EXPECT_NEAR(length(*pL) / length(*pB), c.g.L / c.g.B, 1e-9);
        }
    }
}

TEST(Sketch, PlanShadesTheEffectiveAreaOnlyWhileTheResultantIsOnTheBase) {
    struct Case {
        double ex, ey;
        bool shaded;
    };
    for (const Case& c : {Case{0, 0, true}, Case{0.5, 0.5, true}, Case{1, 0, false},
                          Case{0, 1.5, false}, Case{3, 3, false}}) {
        const GeometryData g{2, 3, 1, 0, 0, c.ex, c.ey, 1000, 0};
        const Sketch plan = planSketch(g, kReportFrame);
        const auto shaded = std::count_if(plan.polygons.begin(), plan.polygons.end(), [](auto& p) {
            return p.fill == FillStyle::EffectiveArea;
        });
        EXPECT_EQ(shaded, c.shaded ? 1 : 0) << c.ex << " " << c.ey;
        if (c.shaded && c.ex > 0) {
            // B' = 1.00 m against B = 2.00 m: half the width, on the load's side.
            const SketchDimension* B = dimensionNamed(plan, "B =");
            const SketchDimension* Bp = dimensionNamed(plan, "B\u2032 =");
            ASSERT_TRUE(B && Bp);
            EXPECT_NEAR(length(*Bp) / length(*B), 0.5, 1e-9);
            EXPECT_NEAR(Bp->b.x, B->b.x, 1e-9);
        }
    }
}

TEST(Sketch, SectionShowsTheShearAndTheAnglesOnlyWhenPresent) {
    const Sketch plain = sectionSketch(GeometryData{}, kReportFrame);
    EXPECT_EQ(plain.arrows.size(), 1u); // N only
    const Sketch loaded = sectionSketch({2, 3, 1, 10, 20, 0.3, 0, 10000, 1000}, kReportFrame);
    EXPECT_EQ(loaded.arrows.size(), 2u);
    auto hasText = [&](const std::string& text) {
        return std::any_of(loaded.texts.begin(), loaded.texts.end(),
                           [&](const SketchText& t) { return t.text == text; });
    };
    EXPECT_TRUE(hasText("\u03b1 = 10.0\u00b0"));
    EXPECT_TRUE(hasText("\u03c9 = 20.0\u00b0"));
    EXPECT_TRUE(hasText("T = 1000 Kg"));
    EXPECT_NE(dimensionNamed(loaded, "ex = 0.30 m"), nullptr);
    EXPECT_EQ(dimensionNamed(plain, "ex"), nullptr);
}

std::size_t linesOf(const Sketch& s, LineStyle style) {
    return static_cast<std::size_t>(std::count_if(
        s.lines.begin(), s.lines.end(), [&](const SketchLine& l) { return l.style == style; }));
}

bool hasTextStarting(const Sketch& s, const std::string& prefix) {
    return std::any_of(s.texts.begin(), s.texts.end(),
                       [&](const SketchText& t) { return t.text.rfind(prefix, 0) == 0; });
}

// The water table above, at, just below and far below the base, layers
// thick and thin, under tilted and sloping footings: inside the frame,
// every label clear of every line, the ground's levels included.
TEST(Sketch, GroundLevelsCrossNoLabelAndStayInsideTheFrame) {
    for (double B : {0.5, 2.5})
        for (double D : {0.0, 1.5, 3.0})
            for (double zw : {0.0, 0.5 * D, D, D + 0.1, D + B, 50.0})
                for (const std::vector<double>& boundaries :
                     {std::vector<double>{}, std::vector<double>{1.0, 4.5},
                      std::vector<double>{0.2, 0.3, D, D + 0.05, D + 0.4}})
                    for (double alpha : {0.0, 10.0})
                        for (double omega : {0.0, 20.0})
                            for (double ex : {0.0, 0.1}) {
                                const GeometryData g{B, 3.0, D, alpha, omega, ex, 0, 50000, 8000};
                                const SectionGround ground{zw, boundaries};
                                for (const SketchRect& frame : {kReportFrame, kSmallFrame}) {
                                    const Sketch s = sectionSketch(g, frame, ground);
                                    ASSERT_EQ(firstCrossedLabel(s), "")
                                        << "B=" << B << " D=" << D << " zw=" << zw << " boundaries "
                                        << boundaries.size() << " alpha=" << alpha
                                        << " omega=" << omega << " ex=" << ex;
                                    ASSERT_EQ(firstOutside(s, frame), "")
                                        << B << " " << D << " " << zw;
                                }
                            }
}

TEST(Sketch, SectionShowsTheGroundLevelsDownToDPlusTwoB) {
    const GeometryData g{2.5, 3, 1.5, 0, 0, 0.1, 0, 260000, 15000};
    EXPECT_DOUBLE_EQ(sectionGroundDepth(g), 6.5);
    struct Case {
        SectionGround ground;
        bool water;
        std::size_t layerNumbers; // "strato n" labels
    };
    const Case cases[] = {
        {{}, false, 0},
        {{2.0, {}}, true, 0},
        {{2.0, {1.0, 4.5}}, true, 3},
        {{7.0, {1.0, 4.5, 8.0}}, false, 3}, // the water and the last boundary too deep
    };
    for (const Case& c : cases) {
        const Sketch s = sectionSketch(g, kReportFrame, c.ground);
        EXPECT_EQ(linesOf(s, LineStyle::Water) > 0, c.water) << c.ground.boundaries.size();
        EXPECT_EQ(hasTextStarting(s, "falda, zw = 2.00 m"), c.water);
        EXPECT_EQ(
            std::count_if(s.texts.begin(), s.texts.end(),
                          [](const SketchText& t) { return t.text.rfind("strato ", 0) == 0; }),
            static_cast<std::ptrdiff_t>(c.layerNumbers));
        EXPECT_EQ(linesOf(s, LineStyle::Layer) > 0, !c.ground.boundaries.empty());
    }
    // A depth drawn out of scale leaves the levels out.
    const Sketch deep = sectionSketch({0.5, 3, 5, 0, 0, 0, 0, 1000, 0}, kReportFrame, {2.0, {1.0}});
    EXPECT_EQ(linesOf(deep, LineStyle::Water) + linesOf(deep, LineStyle::Layer), 0u);
}

} // namespace
} // namespace zolt::document
