// The ground model against values worked by hand, and the promise that a
// dry homogeneous soil gives the described analysis bit for bit.
#include "engine/bearing_capacity.h"
#include "ground/ground_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>

namespace zolt::ground {
namespace {

constexpr double kKilonewtonPerKg = 0.00980665;

SoilLayer layer(const char* name, double thickness, double gamma, double gammaSat, double phi,
                double c, double delta, double ca, double cu) {
    SoilLayer l;
    l.name = name;
    l.thickness = thickness;
    l.gamma = gamma;
    l.gammaSat = gammaSat;
    l.phi = phi;
    l.c = c;
    l.delta = delta;
    l.ca = ca;
    l.cu = cu;
    return l;
}

// Three layers: a silty crust, a sand, a clay with cu to any depth.
GroundData threeLayers(std::optional<double> waterTable) {
    GroundData g;
    g.waterTable = waterTable;
    g.layers = {layer("limo", 1.5, 1700, 1900, 28, 0.05, 18, 0.02, 0),
                layer("sabbia", 1.0, 1800, 2000, 32, 0, 22, 0, 0),
                layer("argilla", 9, 1900, 2100, 25, 0.1, 15, 0.05, 0.5)};
    return g;
}

double meanTan(std::initializer_list<std::pair<double, double>> phiAndThickness) {
    double sum = 0, h = 0;
    for (const auto& [phi, t] : phiAndThickness) {
        sum += std::tan(phi * 3.141592653589793 / 180.0) * t;
        h += t;
    }
    return std::atan(sum / h) * 180.0 / 3.141592653589793;
}

struct DrainedCase {
    std::string name;
    GroundData ground;
    GeometryData footing;
    double q, gamma, phi, c, delta, ca, uplift;
    bool weakerNote;
};

GroundData homogeneous(std::optional<double> waterTable) {
    GroundData g;
    g.waterTable = waterTable;
    g.gammaSat = 2000;
    return g;
}

const SoilData kSoil{1800, 30, 20, 0, 0};
const GeometryData kFooting{.B = 2, .L = 3, .D = 1};

class DrainedValues : public testing::TestWithParam<DrainedCase> {};

TEST_P(DrainedValues, MatchTheHandWorkedValues) {
    const DrainedCase& k = GetParam();
    const GroundModel m = evaluateGround(k.ground, kSoil, k.footing);
    const GroundValues& v = m.drained;
    EXPECT_NEAR(v.q, k.q, 1e-9) << "q', kg/m2";
    EXPECT_NEAR(v.gamma, k.gamma, 1e-9) << "gamma', kg/m3";
    EXPECT_NEAR(v.phi, k.phi, 1e-9) << "phi, degrees";
    EXPECT_NEAR(v.c, k.c, 1e-12) << "c, kg/cm2";
    EXPECT_EQ(v.delta, k.delta);
    EXPECT_EQ(v.ca, k.ca);
    EXPECT_NEAR(v.uplift, k.uplift, 1e-9) << "U, kg";
    EXPECT_EQ(!v.notes.empty(), k.weakerNote);
}

// B = 2, L = 3, D = 1 unless the case says; gamma 1800, gammaSat 2000,
// gammaW 1000 kg/m3.
INSTANTIATE_TEST_SUITE_P(
    Cases, DrainedValues,
    testing::Values(
        DrainedCase{"NoWater", homogeneous(std::nullopt), kFooting, 1800, 1800, 30, 0, 20, 0, 0,
                    false},
        // 0.5 m of gamma, 0.5 m of gammaSat - gammaW; U = 1000 0.5 2 3.
        DrainedCase{"AboveTheBase", homogeneous(0.5), kFooting, 1400, 1000, 30, 0, 20, 0, 3000,
                    false},
        DrainedCase{"AtTheSurface", homogeneous(0.0), kFooting, 1000, 1000, 30, 0, 20, 0, 6000,
                    false},
        DrainedCase{"AtTheBase", homogeneous(1.0), kFooting, 1800, 1000, 30, 0, 20, 0, 0, false},
        // d = 1 below the base: gamma' + (d/B)(gamma - gamma') = 1000 + 0.5 800.
        DrainedCase{"WithinBBelow", homogeneous(2.0), kFooting, 1800, 1400, 30, 0, 20, 0, 0,
                    false},
        DrainedCase{"AtBBelow", homogeneous(3.0), kFooting, 1800, 1800, 30, 0, 20, 0, 0, false},
        DrainedCase{"Deeper", homogeneous(5.0), kFooting, 1800, 1800, 30, 0, 20, 0, 0, false},
        // 0.5 m each of limo, 1 m of sabbia, 0.5 m of argilla below the base.
        DrainedCase{"LayersDry", threeLayers(std::nullopt), kFooting, 1700,
                    (0.5 * 1700 + 1 * 1800 + 0.5 * 1900) / 2,
                    meanTan({{28, 0.5}, {32, 1}, {25, 0.5}}), (0.5 * 0.05 + 0.5 * 0.1) / 2, 18,
                    0.02, 0, true},
        // Water at 2 m: 0.5 m limo and 0.5 m sabbia dry, then submerged.
        DrainedCase{"LayersWaterBelowTheBase", threeLayers(2.0), kFooting, 1700,
                    (0.5 * 1700 + 0.5 * 1800 + 0.5 * 1000 + 0.5 * 1100) / 2,
                    meanTan({{28, 0.5}, {32, 1}, {25, 0.5}}), (0.5 * 0.05 + 0.5 * 0.1) / 2, 18,
                    0.02, 0, true},
        DrainedCase{"LayersWaterAboveTheBase", threeLayers(0.5), kFooting, 0.5 * 1700 + 0.5 * 900,
                    (0.5 * 900 + 1 * 1000 + 0.5 * 1100) / 2,
                    meanTan({{28, 0.5}, {32, 1}, {25, 0.5}}), (0.5 * 0.05 + 0.5 * 0.1) / 2, 18,
                    0.02, 1000 * 0.5 * 6, true},
        // A base on a boundary rests on the lower layer; 2 m of sabbia and
        // argilla below it, the argilla weaker than the mean.
        DrainedCase{"BaseOnABoundary", threeLayers(std::nullopt),
                    GeometryData{.B = 2, .L = 3, .D = 1.5}, 1.5 * 1700, (1800 + 1900) / 2.0,
                    meanTan({{32, 1}, {25, 1}}), 0.05, 22, 0, 0, true},
        // Sabbia alone under a small footing, argilla within 2B: weaker in phi.
        DrainedCase{"WeakerLayerWithin2B", threeLayers(std::nullopt),
                    GeometryData{.B = 0.6, .L = 1, .D = 1.5}, 1.5 * 1700, 1800, 32, 0, 22, 0, 0,
                    true},
        DrainedCase{"NoWeakerLayerWithin2B", threeLayers(std::nullopt),
                    GeometryData{.B = 0.4, .L = 1, .D = 1.6}, 1.5 * 1700 + 0.1 * 1800, 1800, 32, 0,
                    22, 0, 0, false}),
    [](const auto& info) { return info.param.name; });

TEST(UndrainedValues, FromTheCuWithinBAndTotalStresses) {
    // Water at 0.5 m: q total = 0.5 1700 + 0.5 1900; cu only in the argilla,
    // 0.5 m of which lies within B = 2 below D = 1.
    const GroundModel m = evaluateGround(threeLayers(0.5), kSoil, kFooting);
    ASSERT_TRUE(m.undrained.has_value());
    const GroundValues& u = *m.undrained;
    EXPECT_NEAR(u.q, 0.5 * 1700 + 0.5 * 1900, 1e-9);
    EXPECT_NEAR(u.gamma, (0.5 * 1900 + 1 * 2000 + 0.5 * 2100) / 2, 1e-9);
    EXPECT_EQ(u.phi, 0.0);
    EXPECT_NEAR(u.c, 0.5 * 0.5 / 2, 1e-12);
    EXPECT_EQ(u.delta, 0.0);
    EXPECT_EQ(u.ca, 0.0); // the limo at the base has no cu
    EXPECT_EQ(u.uplift, 0.0);
    EXPECT_FALSE(u.notes.empty()); // limo and sabbia count as cu = 0
}

TEST(UndrainedValues, OnlyWhenCuIsGivenWithinB) {
    EXPECT_FALSE(evaluateGround(threeLayers(std::nullopt), kSoil,
                                GeometryData{.B = 0.5, .L = 1, .D = 1})
                     .undrained);
    EXPECT_FALSE(evaluateGround(homogeneous(1.0), kSoil, kFooting).undrained);
}

TEST(VerticalStress, TotalPoreAndEffective) {
    const Profile p = buildProfile(threeLayers(0.5), kSoil);
    const Stress s = verticalStress(p, 3.0);
    EXPECT_NEAR(s.total, 0.5 * 1700 + 1.0 * 1900 + 1.0 * 2000 + 0.5 * 2100, 1e-9);
    EXPECT_NEAR(s.pore, 2500, 1e-9);
    EXPECT_NEAR(s.effective, s.total - 2500, 1e-9);
    EXPECT_EQ(verticalStress(p, 0.0).total, 0.0);
}

// A dry homogeneous soil must leave every computation as the described
// analysis makes it: the same soil record, gamma D, and the same results.
TEST(DryHomogeneous, GivesTheDescribedRunBitForBit) {
    const SoilData soils[] = {{1800, 30, 20, 0, 0}, {1900.3, 0, 0, 0.5, 0.2},
                              {1733.3, 37.7, 12.1, 0.13, 0.07}};
    const GeometryData footings[] = {{2, 3, 1, 0, 0, 0, 0, 10000, 1000},
                                     {1.3, 7.1, 2.7, 10, 5, 0.1, 0.3, 50000, 0},
                                     {0.7, 0.7, 0, 0, 0, 0, 0, 0, 0}};
    for (const SoilData& soil : soils)
        for (const GeometryData& footing : footings) {
            const GroundValues v = evaluateGround(GroundData{}, soil, footing).drained;
            const SoilData equivalent = v.soil();
            ASSERT_EQ(std::memcmp(&soil, &equivalent, sizeof soil), 0);
            ASSERT_EQ(v.q, soil.gamma * footing.D);
            for (int method = Terzaghi; method <= Vesic; ++method) {
                BearingResult plain, onGround;
                const int a = computeBearing(method, footing, soil, plain, &plain.ultimateLoad);
                const int b = computeBearing(method, methodFooting(footing, v), v.soil(),
                                             methodOptions(v), onGround, &onGround.ultimateLoad);
                ASSERT_EQ(a, b);
                ASSERT_EQ(std::memcmp(&plain, &onGround, sizeof plain), 0) << method;
            }
        }
}

// Meyerhof on a strip (L = 99.9 m) with B = 4 m, D = 1.5 m, phi = 34,
// gamma 18 and gammaSat 20 kN/m3: the course problem gives about 2056,
// 1521 and 1252 kPa with the water deep, at the base and 0.5 m below the
// ground. Ours are higher by 1.2 %, 2.0 % and 4.1 %: the program keeps
// Meyerhof's shape factor 1 + 0.1 Kp B/L = 1.014 at L = 99.9 m, where the
// course takes a strip without one, and gammaW = 9.80665 kN/m3, not 9.81.
TEST(PublishedCase, MeyerhofStripWithTheWaterTable) {
    struct Row {
        std::optional<double> waterTable;
        double published, ours; // kPa
    };
    const Row rows[] = {{std::nullopt, 2056, 2080.3}, {1.5, 1521, 1552.3}, {0.5, 1252, 1302.8}};
    const SoilData soil{18 / kKilonewtonPerKg, 34, 20, 0, 0};
    const GeometryData footing{.B = 4, .L = 99.9, .D = 1.5};
    for (const Row& row : rows) {
        GroundData ground;
        ground.waterTable = row.waterTable;
        ground.gammaSat = 20 / kKilonewtonPerKg;
        const GroundValues v = evaluateGround(ground, soil, footing).drained;
        BearingResult r;
        ASSERT_EQ(computeBearing(Meyerhof, methodFooting(footing, v), v.soil(), methodOptions(v),
                                 r, &r.ultimateLoad),
                  kEngineOk);
        const double qult = r.ultimateLoad / (footing.B * footing.L) * kKilonewtonPerKg;
        EXPECT_NEAR(qult, row.ours, 0.1);
        EXPECT_NEAR(qult / row.published, 1.0, 0.05);
    }
}

} // namespace
} // namespace zolt::ground
