// The methods side by side, the parametric sweep and the probabilistic
// analysis.
#include "design/comparison.h"
#include "design/monte_carlo.h"
#include "design/sizing.h"
#include "design/sweep.h"

#include "engine/bearing_capacity.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <boost/math/distributions/lognormal.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zolt::design {
namespace {

// An inclined, eccentric load on a tilted base below a slope: every factor
// group of every method takes part.
const GeometryData kFooting{.B = 2, .L = 3, .D = 1, .alpha = 5, .omega = 5, .ex = 0.1,
                            .ey = 0.1, .N = 50000, .T = 2000};
const SoilData kSoil{.gamma = 1800, .phi = 28, .delta = 20, .c = 0.15, .ca = 0.1};

bool sameBytes(const BearingResult& a, const BearingResult& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(Comparison, EqualsFourSingleRuns) {
    const Comparison c = compareMethods(kFooting, kSoil, 2.5);
    ASSERT_FALSE(c.refused());
    for (int m = Terzaghi; m <= Vesic; ++m) {
        BearingResult alone;
        const int result = computeBearing(m, kFooting, kSoil, alone, &alone.ultimateLoad);
        const MethodRun& run = c.runs[static_cast<std::size_t>(m)];
        EXPECT_EQ(run.engineResult, result);
        EXPECT_TRUE(sameBytes(run.result, alone)) << m;
        EXPECT_EQ(run.pressures.qult, alone.ultimateLoad / (2.0 * 3.0 * 10000));
        EXPECT_EQ(run.pressures.qamm, run.pressures.qult / 2.5);
    }
    EXPECT_EQ(compareMethods(kFooting, {.phi = 0, .delta = 0, .c = 0}, 3).refusal, 7);
}

TEST(Studies, NeverTouchTheProgramsRecords) {
    bearingResult.ultimateLoad = 12345;
    bearingResult.factorPresent.fill(1);
    const BearingResult before = bearingResult;
    const Approach& da3 = *findApproach("ec7-da3");
    verify(da3, Hansen, kFooting, kSoil);
    sizeFooting(da3, Vesic, kFooting, kSoil, SizingRule{});
    compareMethods(kFooting, kSoil, 3);
    runSweep({findInputField("phi"), 20, 40, 50}, kFooting, kSoil, &da3);
    runMonteCarlo({.samples = 1000, .cov = {0.05, 0.1, 0.1, 0.2, 0.2}}, kFooting, kSoil);
    EXPECT_TRUE(sameBytes(bearingResult, before));
    bearingResult = BearingResult{};
}

TEST(Sweep, EndsSpacingAndPointsWithoutValues) {
    // B from 2.5 to 3.5 with L = 3: the points beyond L have no values.
    const SweepSpec study{findInputField("B"), 2.5, 3.5, 11};
    ASSERT_FALSE(sweepSpecProblem(study));
    const auto points = runSweep(study, kFooting, kSoil, findApproach("ntc2018"));
    ASSERT_TRUE(points);
    ASSERT_EQ(points->size(), 11u);
    EXPECT_EQ(points->front().x, 2.5);
    EXPECT_EQ(points->back().x, 3.5);
    for (std::size_t i = 0; i < 11; ++i) {
        const SweepPoint& p = (*points)[i];
        EXPECT_EQ(p.x, 2.5 + i * 1.0 / 10) << i;
        for (const SweepCell& cell : p.methods) {
            EXPECT_EQ(cell.valid, p.x <= 3.0) << p.x;
            EXPECT_EQ(cell.utilBearing.has_value(), cell.valid);
            if (!cell.valid) {
                EXPECT_TRUE(cell.load == 0.0 && cell.qult == 0.0); // no stale value either
            }
        }
    }
    // Each valid cell is the single run at that point.
    GeometryData g = kFooting;
    g.B = (*points)[3].x;
    BearingResult alone;
    computeBearing(Hansen, g, kSoil, alone, &alone.ultimateLoad);
    EXPECT_EQ((*points)[3].methods[Hansen].load, alone.ultimateLoad);
    EXPECT_EQ((*points)[3].methods[Hansen].qult, alone.ultimateLoad / (g.B * g.L * 10000));
}

TEST(Sweep, RefusedAndFailedPointsHaveNoValues) {
    // phi = 0 with c = 0 is refused; Hansen fails under a strong shear.
    const SoilData sand{.gamma = 1800, .phi = 30, .delta = 70};
    const GeometryData sheared{.B = 1, .L = 1, .D = 1, .N = 10000, .T = 25000};
    const auto points = runSweep({findInputField("phi"), 0, 30, 4}, sheared, sand, nullptr, 1);
    ASSERT_TRUE(points);
    for (const SweepCell& cell : (*points)[0].methods)
        EXPECT_FALSE(cell.valid);
    EXPECT_FALSE((*points)[3].methods[Hansen].valid);
    EXPECT_TRUE((*points)[3].methods[Terzaghi].valid);
    EXPECT_FALSE((*points)[3].methods[Terzaghi].utilBearing);
}

TEST(Sweep, RefusesBadSpecs) {
    const InputField* B = findInputField("B");
    for (const SweepSpec& bad :
         {SweepSpec{B, 1, 2, 1}, SweepSpec{B, 0.05, 2, 10}, SweepSpec{B, 1, 100, 10},
          SweepSpec{B, std::nan(""), 2, 10}, SweepSpec{B, 1, 2, kMaxSweepPoints + 1},
          SweepSpec{nullptr, 1, 2, 10}})
        EXPECT_TRUE(sweepSpecProblem(bad));
    EXPECT_FALSE(sweepSpecProblem({B, 2, 1, kMaxSweepPoints})); // downwards is fine
}

TEST(MonteCarlo, FixedSoilIsTheDeterministicCase) {
    BearingResult alone;
    computeBearing(Terzaghi, kFooting, kSoil, alone, &alone.ultimateLoad);
    for (const double N : {alone.ultimateLoad * 0.99, alone.ultimateLoad * 1.01}) {
        GeometryData g = kFooting;
        g.N = N;
        const auto r = runMonteCarlo({.samples = 1000, .method = Terzaghi}, g, kSoil);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->pf, N > alone.ultimateLoad ? 1.0 : 0.0);
        EXPECT_EQ(*r->p05, alone.ultimateLoad);
        EXPECT_EQ(*r->p95, alone.ultimateLoad);
        EXPECT_EQ(*r->cov, 0.0);
        EXPECT_EQ(r->beta.has_value(), false);
        EXPECT_EQ(r->betaAbove.has_value(), N < alone.ultimateLoad);
        EXPECT_EQ(r->betaBelow.has_value(), N > alone.ultimateLoad);
    }
}

TEST(MonteCarlo, OneLognormalVariableMatchesItsClosedForm) {
    // Terzaghi without cohesion: the ultimate load is proportional to gamma,
    // so it is lognormal with gamma's shape.
    const GeometryData g{.B = 2, .L = 3, .D = 1, .N = 400000};
    const SoilData s{.gamma = 1800, .phi = 30, .delta = 20};
    BearingResult unit;
    computeBearing(Terzaghi, g, s, unit, &unit.ultimateLoad);
    const double k = unit.ultimateLoad / 1800;
    const double cov = 0.2;
    const double sigma = std::sqrt(std::log1p(cov * cov));
    const boost::math::lognormal law(std::log(1800.0) - sigma * sigma / 2, sigma);

    const std::size_t n = 200000;
    const auto r = runMonteCarlo({.samples = n, .seed = 7, .method = Terzaghi, .cov = {cov}}, g, s);
    ASSERT_TRUE(r);
    const double pf = boost::math::cdf(law, g.N / k);
    const double pfError = 4 * std::sqrt(pf * (1 - pf) / n);
    EXPECT_NEAR(r->pf, pf, pfError);
    EXPECT_LE(r->pfLow, r->pf);
    EXPECT_GE(r->pfHigh, r->pf);
    EXPECT_NEAR(*r->beta, -boost::math::quantile(boost::math::normal(), r->pf), 1e-12);
    EXPECT_NEAR(*r->mean / (1800 * k), 1, 4 * cov / std::sqrt(n));
    EXPECT_NEAR(*r->cov, cov, 0.01 * cov);
    for (const double p : {0.05, 0.5, 0.95})
        EXPECT_NEAR((p == 0.05 ? *r->p05 : p == 0.5 ? *r->p50 : *r->p95) /
                        (k * boost::math::quantile(law, p)),
                    1, 0.005)
            << p;
}

TEST(MonteCarlo, TheSeedDecidesWhateverTheThreads) {
    const MonteCarloSpec study{.samples = 50000, .seed = 42, .method = Hansen,
                              .cov = {0.05, 0.1, 0.1, 0.3, 0.3}};
    GeometryData g = kFooting;
    g.N = 400000;
    const auto one = runMonteCarlo(study, g, kSoil, 1, true);
    const auto two = runMonteCarlo(study, g, kSoil, 2, true);
    ASSERT_TRUE(one && two);
    EXPECT_GT(one->failures, 0u);
    EXPECT_EQ(one->failures, two->failures);
    EXPECT_EQ(one->refused, two->refused);
    EXPECT_EQ(*one->mean, *two->mean);
    EXPECT_EQ(*one->cov, *two->cov);
    EXPECT_EQ(*one->p05, *two->p05);
    EXPECT_EQ(one->loads, two->loads);
    MonteCarloSpec other = study;
    other.seed = 43;
    EXPECT_NE(*runMonteCarlo(other, g, kSoil)->mean, *one->mean);
}

TEST(MonteCarlo, RefusedSamplesCountAsFailuresAndCancelStops) {
    // phi near 90 degrees with a wide spread: some samples pass 90.
    const SoilData steep{.gamma = 1800, .phi = 80, .delta = 20};
    const auto r = runMonteCarlo({.samples = 20000, .cov = {0, 0.2}}, kFooting, steep);
    ASSERT_TRUE(r);
    EXPECT_GT(r->refused, 0u);
    EXPECT_GE(r->failures, r->refused);

    MonteCarloControl control;
    control.cancel = true;
    EXPECT_FALSE(runMonteCarlo({.samples = 100000}, kFooting, kSoil, 2, false, &control));
    EXPECT_TRUE(monteCarloSpecProblem({.samples = 0}));
    EXPECT_FALSE(runMonteCarlo({.samples = 0}, kFooting, kSoil)); // no plausible-looking answer
    EXPECT_TRUE(monteCarloSpecProblem({.cov = {0, 10.5}}));
    EXPECT_FALSE(monteCarloSpecProblem({.cov = {0, 10}}));
    EXPECT_TRUE(monteCarloSpecProblem({.cov = {0, -0.1}}));
    EXPECT_TRUE(monteCarloSpecProblem({.cov = {0, 0, std::nan("")}}));
}

// Each sample the soil dialog would refuse counts as refused: here the
// cohesion and the unit weight spread past 99.99 kg/cm2 and 9999.9 kg/m3,
// where Terzaghi would still give a load.
TEST(MonteCarlo, SamplesOutsideTheFieldRangesAreRefused) {
    const SoilData s{.gamma = 5000, .phi = 20, .delta = 20, .c = 50};
    const MonteCarloSpec study{.samples = 4000, .method = Terzaghi, .cov = {0.5, 0, 0, 1.0}};
    std::size_t outside = 0;
    for (std::uint64_t i = 0; i < study.samples; ++i) {
        const SoilData d = sampleSoil(study, s, i);
        outside += d.c > 99.99 || d.gamma > 9999.9;
    }
    const auto r = runMonteCarlo(study, kFooting, s);
    ASSERT_TRUE(r);
    EXPECT_GT(outside, 0u);
    EXPECT_EQ(r->refused, outside);
}

// Loads near the largest double (phi just under 90 degrees) still have a
// finite mean and coefficient of variation.
TEST(MonteCarlo, MomentsOfHugeLoadsStayFinite) {
    const SoilData s{.gamma = 1800, .phi = 89, .delta = 20};
    const auto r = runMonteCarlo({.samples = 1000, .method = Terzaghi, .cov = {0, 0.01}}, kFooting,
                                 s, 0, true);
    ASSERT_TRUE(r && r->mean && r->cov);
    EXPECT_GT(*std::max_element(r->loads.begin(), r->loads.end()), 1e160);
    EXPECT_TRUE(std::isfinite(*r->mean));
    EXPECT_TRUE(std::isfinite(*r->cov));
    EXPECT_GE(*r->mean, *r->p95 / static_cast<double>(r->loads.size()));
}

} // namespace
} // namespace zolt::design
