// Every combination verified: the seismic check worked by hand, the
// approach of each combination, the outcome and the governing combination,
// the geometry's own actions bit for bit, and the sizing for all of them.
#include "design/combinations_verification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace zolt::design {
namespace {

const GeometryData kFooting{.B = 2, .L = 2, .D = 1, .N = 90000, .T = 4000};
const SoilData kSand{1800, 30, 20, 0, 0};

ActionsData given(std::vector<GivenCombination> combinations) {
    ActionsData a;
    a.mode = ActionsMode::Combinations;
    a.combinations = std::move(combinations);
    return a;
}

GivenCombination combination(CombinationType type, BaseForces forces) {
    return {"C", type, forces, ""};
}

SeismicData site(std::optional<double> kh, bool kinematic, double gammaRv) {
    SeismicData s;
    s.kh = kh;
    s.kinematic = kinematic;
    s.gammaRv = gammaRv;
    return s;
}

// Meyerhof on the 2 m square at 1 m in the sand, N 50000 kg, T 5000 kg,
// MB 5000 kg m (ex 0.1 m): theta = atan 0.1, iq = (1 - theta/90)^2 =
// 0.877124, igamma = (1 - theta/30)^2 = 0.655528, dq = dgamma = 1 + 0.1
// sqrt(Kp) D/B = 1.086603, Nq 18.401122, Ngamma 15.668041, A' = 1.8 x 2;
// Rk = A' (gamma D Nq dq iq zq + 0.5 gamma B Ngamma dgamma igamma zgamma).
// kh 0.15: zq = zgamma = (1 - 0.15 / tan 30)^0.35 = 0.900058.
// Sliding: Rd = 50000 tan 20 / 1.1 = 16544.10 kg.
struct SlvCase {
    const char* name;
    SeismicData site;
    double zq;
    double gammaRv;
    double Rk; // kg
};

class SlvByHand : public testing::TestWithParam<SlvCase> {};

TEST_P(SlvByHand, GivesTheResistances) {
    const SlvCase& k = GetParam();
    const ActionsData actions =
        given({combination(CombinationType::SLV, {50000, 5000, 0, 5000, 0})});
    const CombinationsVerification v = verifyCombinations(*findApproach("ntc2018"), Meyerhof,
                                                          kFooting, kSand, {}, actions, k.site);
    ASSERT_EQ(v.checks.size(), 1u);
    const CombinationCheck& c = v.checks[0];
    ASSERT_TRUE(c.verification);
    const ConditionVerification& d = c.verification->drained;
    EXPECT_EQ(c.approach->gammaRv, k.gammaRv);
    EXPECT_EQ(c.approach->gammaRh, 1.1);
    EXPECT_NEAR(d.kinematic.zq, k.zq, 1e-6);
    EXPECT_EQ(d.kinematic.zga, d.kinematic.zq);
    ASSERT_TRUE(d.verification.bearing.Rk);
    EXPECT_NEAR(*d.verification.bearing.Rk, k.Rk, 1e-3);
    EXPECT_NEAR(*d.verification.bearing.Rd, k.Rk / k.gammaRv, 1e-3);
    EXPECT_NEAR(*d.verification.sliding.Rd, 16544.1016, 1e-3);
    EXPECT_DOUBLE_EQ(*c.utilisation, 50000 / *d.verification.bearing.Rd);
    EXPECT_TRUE(c.verified && v.verified);
    EXPECT_EQ(v.governing, 0u);
    ASSERT_TRUE(v.seismic);
    EXPECT_EQ(v.seismic->gammaRv, k.gammaRv);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SlvByHand,
    testing::Values(SlvCase{"Kinematic", site(0.15, true, 2.3), 0.900058, 2.3, 167378.487},
                    SlvCase{"KinematicWithReducedFactor", site(0.15, true, 1.8), 0.900058, 1.8,
                            167378.487},
                    // 1.8 only with the kinematic effect: 2.3, and no z factors.
                    SlvCase{"InertialOnly", site(0.15, false, 1.8), 1.0, 2.3, 185964.062}),
    [](const auto& info) { return std::string(info.param.name); });

// G1, G2, two Q and E: each ULS combination with the approach of its set.
TEST(Combinations, EachIsVerifiedWithTheApproachOfItsSet) {
    ActionsData a;
    a.characteristic = {{"G1", ActionKind::G1, VariableCategory::A, {40000, 0, 0, 0, 0}, ""},
                        {"G2", ActionKind::G2, VariableCategory::A, {10000, 0, 0, 500, 0}, ""},
                        {"Uffici", ActionKind::Q, VariableCategory::B, {15000, 0, 0, 0, 0}, ""},
                        {"Neve", ActionKind::Q, VariableCategory::SnowLow, {3000, 0, 0, 0, 0}, ""},
                        {"E", ActionKind::E, VariableCategory::A, {0, 6000, 2000, 8000, 0}, ""}};
    const struct {
        const char* approach;
        std::size_t uls;   // of the chosen approach
        std::size_t ulsC2; // of DA1 Combination 2
    } rows[] = {{"ntc2018", 12, 0}, {"ec7-da1", 12, 3}, {"ec7-da3", 12, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.approach);
        const Approach& chosen = *findApproach(row.approach);
        const CombinationsVerification v = verifyCombinations(chosen, Vesic, kFooting, kSand, {}, a,
                                                              site(std::nullopt, true, 2.3));
        std::size_t uls = 0, ulsC2 = 0, slv = 0, sle = 0;
        for (const CombinationCheck& c : v.checks) {
            if (c.combination.type == CombinationType::ULS) {
                uls += c.approach == &chosen;
                ulsC2 += c.approach == &da1Combination2();
            } else if (c.combination.type == CombinationType::SLV) {
                slv += c.approach == &slvApproach(false) && c.kh.has_value();
            } else {
                sle += c.approach == nullptr && !c.verification;
            }
        }
        EXPECT_EQ(uls, row.uls);
        EXPECT_EQ(ulsC2, row.ulsC2);
        EXPECT_EQ(slv, 2u);
        EXPECT_EQ(sle, 5u); // two rare, two frequent, one quasi-permanent
        EXPECT_EQ(v.checks.size(), row.uls + row.ulsC2 + 7);
    }
}

TEST(Combinations, EveryUltimateOneDecidesAndTheHighestGoverns) {
    using enum CombinationType;
    const struct {
        const char* name;
        std::vector<GivenCombination> combinations;
        bool verified;
        std::optional<std::size_t> governing;
        std::string_view note; // of the governing combination, or of the whole
    } rows[] = {
        {"AllHold",
         {combination(ULS, {50000, 0, 0, 0, 0}), combination(ULS, {80000, 2000, 0, 0, 0}),
          combination(SLEQuasiPermanent, {900000, 0, 0, 0, 0})},
         true,
         1,
         ""},
        {"OneLifts",
         {combination(ULS, {50000, 0, 0, 0, 0}), combination(ULS, {-1000, 0, 0, 0, 0}),
          combination(ULS, {60000, 0, 0, 0, 0})},
         false,
         1,
         kCombinationLiftsNote},
        {"SeismicSlides",
         {combination(ULS, {50000, 0, 0, 0, 0}), combination(SLV, {50000, 30000, 0, 0, 0})},
         false,
         1,
         ""},
        {"OnlyServiceability",
         {combination(SLERare, {50000, 0, 0, 0, 0})},
         false,
         std::nullopt,
         kNoUltimateNote},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CombinationsVerification v =
            verifyCombinations(*findApproach("ntc2018"), Meyerhof, kFooting, kSand, {},
                               given(row.combinations), std::nullopt);
        EXPECT_EQ(v.verified, row.verified);
        EXPECT_EQ(v.governing, row.governing);
        const std::vector<std::string>& notes =
            v.governing ? v.checks[*v.governing].notes : v.notes;
        if (!row.note.empty()) {
            EXPECT_NE(std::find(notes.begin(), notes.end(), row.note), notes.end());
        }
        // SLE combinations decide nothing and are not verified.
        for (const CombinationCheck& c : v.checks)
            EXPECT_EQ(c.verification.has_value(), c.ultimate());
    }
}

// A given ULS combination that is the geometry's own actions verifies as
// the geometry does, bit for bit, dry and under water.
TEST(Combinations, TheGeometrysOwnActionsGiveTheSameVerification) {
    GeometryData footing = kFooting;
    footing.N = 100000;
    footing.T = 6000;
    footing.ex = 0.25;
    GroundData wet;
    wet.waterTable = 0.5;
    const ActionsData actions =
        given({combination(CombinationType::ULS, {100000, 0, 6000, 25000, 0})});
    for (const GroundData& ground : {GroundData{}, wet})
        for (int m = Terzaghi; m <= Vesic; ++m) {
            SCOPED_TRACE(m);
            const Approach& a = *findApproach("ec7-da2");
            const GroundVerification old = verifyOnGround(a, m, footing, kSand, ground);
            const CombinationsVerification v =
                verifyCombinations(a, m, footing, kSand, ground, actions, std::nullopt);
            ASSERT_EQ(v.checks.size(), 1u);
            const Verification& n = v.checks[0].verification->drained.verification;
            const Verification& o = old.drained.verification;
            EXPECT_EQ(n.bearing.Ed, o.bearing.Ed);
            EXPECT_EQ(n.bearing.Rk, o.bearing.Rk);
            EXPECT_EQ(n.bearing.utilisation, o.bearing.utilisation);
            EXPECT_EQ(n.sliding.Rd, o.sliding.Rd);
            EXPECT_EQ(n.eccentricity.exOverB, o.eccentricity.exOverB);
            EXPECT_EQ(v.verified, old.verified);
        }
}

// Over a clay layer the undrained condition takes zc alone; Terzaghi says
// that it leaves the inclination out.
TEST(Combinations, SeismicFactorsFollowEachCondition) {
    GroundData clay;
    clay.layers = {{"Argilla", 10, 1900, 2000, 24, 16, 0.1, 0.05, 0.8, {}, ""}};
    const ActionsData actions = given({combination(CombinationType::SLV, {60000, 4000, 0, 0, 0})});
    const CombinationsVerification v = verifyCombinations(
        *findApproach("ntc2018"), Terzaghi, kFooting, kSand, clay, actions, site(0.15, true, 2.3));
    const CombinationCheck& c = v.checks.at(0);
    ASSERT_TRUE(c.verification && c.verification->undrained);
    const actions::KinematicFactors& d = c.verification->drained.kinematic;
    const actions::KinematicFactors& u = c.verification->undrained->kinematic;
    EXPECT_NEAR(d.zq, std::pow(1 - 0.15 / std::tan(24 * M_PI / 180), 0.35), 1e-12);
    EXPECT_DOUBLE_EQ(d.zc, 0.952);
    EXPECT_EQ(u.zq, 1.0);
    EXPECT_EQ(u.zga, 1.0);
    EXPECT_DOUBLE_EQ(u.zc, 0.952);
    EXPECT_NE(std::find(c.notes.begin(), c.notes.end(), kTerzaghiInclinationNote), c.notes.end());
}

// The width found is the first on the grid whose every combination holds,
// with the self-weight and the water at that width.
TEST(Combinations, SizingFindsTheFirstWidthWhereAllHold) {
    using enum CombinationType;
    ActionsData withWeight = given({combination(ULS, {60000, 3000, 0, 4000, 0}),
                                    combination(SLV, {45000, 9000, 3000, 6000, 2000}),
                                    combination(ULS, {90000, 0, 0, 0, 0})});
    withWeight.selfWeight = SelfWeight{0.5, 2500, std::nullopt};
    GroundData wet;
    wet.waterTable = 1.2;
    const SizingRule rule{SizingRuleKind::Ratio, 1.5};
    const Approach& a = *findApproach("ntc2018");
    const SeismicData s = site(0.12, true, 2.3);
    const CombinationsSizing sized =
        sizeCombinations(a, Vesic, kFooting, kSand, wet, withWeight, s, rule);
    ASSERT_TRUE(sized.B);
    EXPECT_TRUE(sized.verification.verified);
    std::optional<double> first;
    for (int cm = kSizingFirstCentimetres; !first && cm <= kSizingLastCentimetres; ++cm) {
        GeometryData g = kFooting;
        g.B = cm / 100.0;
        g.L = *sizingLength(rule, cm);
        if (verifyCombinations(a, Vesic, g, kSand, wet, withWeight, s).verified)
            first = g.B;
    }
    EXPECT_EQ(sized.B, first);
    // Shear that the friction never carries: no width.
    const CombinationsSizing none = sizeCombinations(
        a, Vesic, kFooting, kSand, {}, given({combination(ULS, {50000, 50000, 0, 0, 0})}), s, rule);
    EXPECT_FALSE(none.B);
}

TEST(Combinations, BackfillTakesTheGroundAboveTheFooting) {
    const SoilData soil{1850, 30, 20, 0, 0};
    GroundData wet;
    wet.waterTable = 0.5;
    wet.gammaSat = 2050;
    GroundData layered;
    layered.layers = {{"a", 0.4, 1600, 1900, 28, 18, 0, 0, 0, {}, ""},
                      {"b", 5, 2000, 2100, 32, 20, 0, 0, 0, {}, ""}};
    const struct {
        const char* name;
        GroundData ground;
        double gamma; // over the 1.5 m above a 0.5 m footing at D = 2 m
    } rows[] = {{"Dry", {}, 1850},
                {"Wet", wet, (1850 * 0.5 + 2050 * 1.0) / 1.5},
                {"Layered", layered, (1600 * 0.4 + 2000 * 1.1) / 1.5}};
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(backfillGamma(ground::buildProfile(row.ground, soil), soil, 2.0, 0.5),
                         row.gamma)
            << row.name;
}

} // namespace
} // namespace zolt::design
