// The verification against values worked by hand from the code formulas.
#include "design/verification.h"

#include "engine/bearing_capacity.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace zolt::design {
namespace {

const Approach& approach(const char* id) {
    const Approach* a = findApproach(id);
    EXPECT_NE(a, nullptr) << id;
    return *a;
}

TEST(Approaches, CarryTheirCodeFactors) {
    struct Row {
        const char* id;
        double gammaRv, gammaRh, tanPhi;
    };
    for (const Row& row : {Row{"ntc2018", 2.3, 1.1, 1.0}, Row{"ec7-da1", 1.0, 1.0, 1.0},
                           Row{"ec7-da2", 1.4, 1.1, 1.0}, Row{"ec7-da3", 1.0, 1.0, 1.25}}) {
        const Approach& a = approach(row.id);
        EXPECT_EQ(a.gammaRv, row.gammaRv) << row.id;
        EXPECT_EQ(a.gammaRh, row.gammaRh) << row.id;
        EXPECT_EQ(a.soil.tanPhi, row.tanPhi) << row.id;
    }
    EXPECT_EQ(findApproach("ntc2008"), nullptr);
    EXPECT_EQ(approaches().size(), 4u);
}

TEST(DesignSoil, M2FactorsTangentsAndCohesionM1KeepsEveryBit) {
    const SoilData s{.gamma = 1900, .phi = 30, .delta = 20, .c = 0.1, .ca = 0.05};
    const SoilData d = designSoil(s, kSoilFactorsM2);
    EXPECT_NEAR(d.phi, 24.79128089714489, 1e-12);
    EXPECT_NEAR(d.delta, 16.234302131351505, 1e-12);
    EXPECT_DOUBLE_EQ(d.c, 0.08);
    EXPECT_DOUBLE_EQ(d.ca, 0.04);
    EXPECT_EQ(d.gamma, 1900);

    // Undrained: phi = 0 takes the cohesion factor 1.4.
    const SoilData u = designSoil({.phi = 0, .delta = 0, .c = 0.7, .ca = 0.35}, kSoilFactorsM2);
    EXPECT_EQ(u.phi, 0.0);
    EXPECT_DOUBLE_EQ(u.c, 0.5);
    EXPECT_DOUBLE_EQ(u.ca, 0.25);

    const SoilData m1 = designSoil(s, kSoilFactorsM1);
    EXPECT_EQ(std::memcmp(&m1, &s, sizeof s), 0);
    // No tangent to factor at 90 degrees or beyond.
    EXPECT_EQ(designSoil({.phi = 95, .delta = 90}, kSoilFactorsM2).phi, 95);
}

struct VerifyCase {
    const char* name;
    const char* approach;
    int method;
    GeometryData g;
    SoilData s;
    double Rk, Rd, bearingUtil;    // Rk, Rd in kg
    double slidingRd, slidingUtil; // kg
    bool verified;
};

class Verify : public ::testing::TestWithParam<VerifyCase> {};

TEST_P(Verify, MatchesTheHandCalculation) {
    const VerifyCase& c = GetParam();
    const Verification v = verify(approach(c.approach), c.method, c.g, c.s);
    ASSERT_FALSE(v.refused());
    ASSERT_EQ(v.bearing.engineResult, 0);
    EXPECT_NEAR(*v.bearing.Rk, c.Rk, 1e-6 * c.Rk);
    EXPECT_NEAR(*v.bearing.Rd, c.Rd, 1e-6 * c.Rd);
    EXPECT_NEAR(*v.bearing.utilisation, c.bearingUtil, 1e-6);
    EXPECT_NEAR(*v.sliding.Rd, c.slidingRd, 1e-6 * c.slidingRd);
    EXPECT_NEAR(*v.sliding.utilisation, c.slidingUtil, 1e-6);
    EXPECT_EQ(v.bearing.Ed, c.g.N);
    EXPECT_EQ(v.sliding.Ed, std::fabs(c.g.T));
    EXPECT_EQ(v.verified, c.verified);
}

// Rk by the methods' closed forms; sliding (N tan(delta_d) + ca_d 1e4 B'L') / gammaRh.
INSTANTIATE_TEST_SUITE_P(
    HandValues, Verify,
    ::testing::Values(
        VerifyCase{"NtcMeyerhofStrip", "ntc2018", Meyerhof,
                   {.B = 2, .L = 3, .D = 1, .N = 10000, .T = 1000},
                   {.gamma = 1800, .phi = 30, .delta = 20},
                   309940.1041603665, 134756.5670262463, 0.07420788626985664,
                   3308.8203115109304, 1000 / 3308.8203115109304, true},
        VerifyCase{"Da3TerzaghiM2", "ec7-da3", Terzaghi,
                   {.B = 2, .L = 3, .D = 1, .ex = 0.2, .N = 50000, .T = 20000},
                   {.gamma = 1800, .phi = 30, .delta = 20, .c = 0.1, .ca = 0.1},
                   // B' = 1.6 on the area of the bearing formula as of sliding.
                   387068.4387262161 * 1.6 / 2, 387068.4387262161 * 1.6 / 2,
                   50000 / (387068.4387262161 * 0.8), 18398.809370648094,
                   20000 / 18398.809370648094, false},
        VerifyCase{"Da3UndrainedTerzaghi", "ec7-da3", Terzaghi,
                   {.B = 2, .L = 2.005, .D = 1, .N = 200000},
                   {.gamma = 1800, .phi = 0, .delta = 0, .c = 0.5, .ca = 0.5},
                   102913.78571428571, 102913.78571428571, 200000 / 102913.78571428571,
                   0.5 / 1.4 * 1e4 * 2 * 2.005, 0.0, false},
        VerifyCase{"Da2MeyerhofInclined", "ec7-da2", Meyerhof,
                   {.B = 1.5, .L = 2, .D = 1, .N = 20000, .T = 2000},
                   {.gamma = 1900, .phi = 28, .delta = 20, .c = 0.05, .ca = 0.02},
                   156918.18669713795, 112084.41906938425, 20000 / 112084.41906938425,
                   (20000 * 0.36397023426620234 + 0.02 * 1e4 * 3) / 1.1,
                   2000 / ((20000 * 0.36397023426620234 + 0.02 * 1e4 * 3) / 1.1), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Verify, EdEqualToRdVerifiesAndOneMoreKilogramDoesNot) {
    const Approach& ntc = approach("ntc2018");
    GeometryData g{.B = 2, .L = 3, .D = 1};
    const SoilData s{.gamma = 1800, .phi = 30, .delta = 20};
    // Meyerhof under a vertical load: the resistance does not depend on N.
    const double Rd = *verify(ntc, Meyerhof, g, s).bearing.Rd;
    g.N = Rd;
    Verification v = verify(ntc, Meyerhof, g, s);
    EXPECT_TRUE(v.bearing.verified);
    EXPECT_EQ(*v.bearing.utilisation, 1.0);
    g.N = std::nextafter(Rd, 2 * Rd);
    EXPECT_FALSE(verify(ntc, Meyerhof, g, s).bearing.verified);

    g.N = 10000;
    g.T = *verify(ntc, Meyerhof, g, s).sliding.Rd;
    v = verify(ntc, Meyerhof, g, s);
    EXPECT_TRUE(v.sliding.verified);
    EXPECT_EQ(*v.sliding.utilisation, 1.0);
    g.T = std::nextafter(g.T, 2 * g.T);
    EXPECT_FALSE(verify(ntc, Meyerhof, g, s).sliding.verified);
}

TEST(Verify, RefusesMeaninglessSoilButNotTheGlobalSlidingCheck) {
    const Approach& ntc = approach("ntc2018");
    const GeometryData g{.B = 1, .L = 1, .D = 1, .N = 1000, .T = 5000};
    EXPECT_EQ(verify(ntc, Hansen, g, {.phi = 0, .c = 0}).refusal, 1);
    EXPECT_EQ(verify(ntc, Hansen, g, {.phi = 30, .delta = 0, .ca = 0}).refusal, 2);
    EXPECT_EQ(verify(ntc, Hansen, g, {.phi = 0, .delta = 0, .c = 0, .ca = 0}).refusal, 3);
    // T far beyond the friction: the analysis would refuse, the
    // verification computes and fails on sliding.
    const Verification v = verify(ntc, Meyerhof, g, {.phi = 30, .delta = 20});
    EXPECT_FALSE(v.refused());
    EXPECT_FALSE(v.sliding.verified);
    EXPECT_GT(*v.sliding.utilisation, 1.0);
    EXPECT_FALSE(v.verified);
}

TEST(Verify, EngineFailureLeavesBearingNotComputableAndStillChecksSliding) {
    const Verification v = verify(approach("ntc2018"), Hansen,
                                  {.B = 1, .L = 1, .D = 1, .N = 10000, .T = 25000},
                                  {.gamma = 1800, .phi = 30, .delta = 70});
    EXPECT_EQ(v.bearing.engineResult, 1);
    EXPECT_FALSE(v.bearing.Rk || v.bearing.Rd || v.bearing.utilisation);
    EXPECT_FALSE(v.bearing.verified);
    ASSERT_TRUE(v.sliding.Rd);
    EXPECT_NEAR(*v.sliding.Rd, 10000 * std::tan(70 * M_PI / 180) / 1.1, 1e-6);
    EXPECT_FALSE(v.verified);
}

TEST(Verify, EccentricityNotesAtTheThirds) {
    struct Row {
        double ex, ey;
        std::size_t notes;
    };
    const Approach& ntc = approach("ntc2018");
    for (const Row& r : {Row{2.0 / 6, 0, 0}, Row{0.34, 0, 1}, Row{0, 0.51, 1},
                         Row{2.0 / 3, 0, 1}, Row{0.67, 0, 2}, Row{0, 1.01, 2}}) {
        const Verification v = verify(ntc, Terzaghi, {.B = 2, .L = 3, .ex = r.ex, .ey = r.ey},
                                      {.phi = 30, .delta = 20});
        EXPECT_EQ(eccentricityNotes(v.eccentricity).size(), r.notes) << r.ex << ' ' << r.ey;
        EXPECT_DOUBLE_EQ(v.eccentricity.exOverB, r.ex / 2);
        EXPECT_DOUBLE_EQ(v.eccentricity.eyOverL, r.ey / 3);
    }
}

} // namespace
} // namespace zolt::design
