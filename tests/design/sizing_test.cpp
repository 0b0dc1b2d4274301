// Footing sizing: the first width of the grid that verifies, per rule.
#include "design/sizing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zolt::design {
namespace {

const GeometryData kLoaded{.B = 1, .L = 1, .D = 1, .N = 200000, .T = 10000};
const SoilData kSand{.gamma = 1800, .phi = 30, .delta = 20};

struct RuleCase {
    const char* rule;
    double expectedRatio; // L / B, or 0 for a fixed length
    double fixedLength;
};

class Sizes : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Sizes, TheFirstVerifyingWidthOfTheGrid) {
    const RuleCase& c = GetParam();
    const auto rule = parseSizingRule(c.rule);
    ASSERT_TRUE(rule);
    const Approach& ntc = *findApproach("ntc2018");
    const Sizing s = sizeFooting(ntc, Meyerhof, kLoaded, kSand, *rule);
    ASSERT_TRUE(s.B && s.L);
    EXPECT_TRUE(s.verification.verified);
    // B and L on the 0.01 m grid the geometry dialog holds; a ratio's L is
    // R B rounded up.
    for (const double x : {*s.B, *s.L})
        EXPECT_NEAR(x * 100, std::round(x * 100), 1e-9) << x;
    const auto lengthOf = [&](double B) {
        return c.expectedRatio > 0 ? std::ceil(c.expectedRatio * B * 100 - 1e-6) / 100
                                   : c.fixedLength;
    };
    EXPECT_DOUBLE_EQ(*s.L, lengthOf(*s.B));
    // The width below does not verify.
    GeometryData smaller = kLoaded;
    smaller.B = *s.B - 0.01;
    smaller.L = lengthOf(smaller.B);
    EXPECT_FALSE(verify(ntc, Meyerhof, smaller, kSand).verified);
}

INSTANTIATE_TEST_SUITE_P(Rules, Sizes,
                         ::testing::Values(RuleCase{"square", 1.0, 0}, RuleCase{"ratio=1.55", 1.55, 0},
                                           RuleCase{"length=4", 0, 4.0}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(Sizing, NoneFoundWhenNoWidthHoldsTheShear) {
    // Without adhesion the sliding resistance does not grow with the base.
    GeometryData g = kLoaded;
    g.T = 200000;
    const Sizing s = sizeFooting(*findApproach("ntc2018"), Meyerhof, g, kSand,
                                 *parseSizingRule("square"));
    EXPECT_FALSE(s.B || s.L);
    EXPECT_FALSE(s.verification.verified);
    // A fixed length bounds the widths tried.
    g.T = 0;
    g.N = 9999999;
    EXPECT_FALSE(sizeFooting(*findApproach("ntc2018"), Meyerhof, g, kSand,
                             *parseSizingRule("length=0.5"))
                     .B);
}

TEST(Sizing, RefusedSoilIsNotSized) {
    const Sizing s = sizeFooting(*findApproach("ec7-da1"), Hansen, kLoaded, {.phi = 0, .c = 0},
                                 SizingRule{});
    EXPECT_TRUE(s.verification.refused());
    EXPECT_FALSE(s.B);
}

TEST(Sizing, RulesAsTheCommandLineSpellsThem) {
    for (const char* bad : {"", "round", "ratio=0.9", "ratio=x", "length=0.05", "length=100",
                            "ratio=", "square=1"})
        EXPECT_FALSE(parseSizingRule(bad)) << bad;
    EXPECT_EQ(sizingRuleText(*parseSizingRule("ratio=1.5")), "ratio=1.5");
    EXPECT_EQ(sizingRuleText(*parseSizingRule("length=3")), "length=3");
}

} // namespace
} // namespace zolt::design
