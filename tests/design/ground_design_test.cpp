// Verification, sizing, comparison, sweep and Monte Carlo on the ground
// model: the dry homogeneous soil gives the computations on SoilData bit
// for bit, and the water and the undrained condition give the values worked
// by hand.
#include "design/comparison.h"
#include "design/monte_carlo.h"
#include "design/sizing.h"
#include "design/sweep.h"
#include "design/verification.h"

#include "engine/bearing_capacity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace zolt::design {
namespace {

// The same bits, so that -0 and 0 or two NaNs are told apart as a
// memcmp would.
bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
bool same(const std::optional<double>& a, const std::optional<double>& b) {
    return a.has_value() == b.has_value() && (!a || same(*a, *b));
}
bool same(const SoilData& a, const SoilData& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
bool same(const BearingResult& a, const BearingResult& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void expectSame(const Verification& a, const Verification& b) {
    EXPECT_EQ(a.approach, b.approach);
    EXPECT_EQ(a.method, b.method);
    EXPECT_EQ(a.refusal, b.refusal);
    EXPECT_TRUE(same(a.design, b.design));
    EXPECT_TRUE(same(a.bearing.Ed, b.bearing.Ed));
    EXPECT_EQ(a.bearing.engineResult, b.bearing.engineResult);
    EXPECT_TRUE(same(a.bearing.Rk, b.bearing.Rk));
    EXPECT_TRUE(same(a.bearing.Rd, b.bearing.Rd));
    EXPECT_TRUE(same(a.bearing.utilisation, b.bearing.utilisation));
    EXPECT_EQ(a.bearing.verified, b.bearing.verified);
    EXPECT_TRUE(same(a.sliding.Ed, b.sliding.Ed));
    EXPECT_TRUE(same(a.sliding.Rd, b.sliding.Rd));
    EXPECT_TRUE(same(a.sliding.utilisation, b.sliding.utilisation));
    EXPECT_EQ(a.sliding.verified, b.sliding.verified);
    EXPECT_TRUE(same(a.eccentricity.exOverB, b.eccentricity.exOverB));
    EXPECT_TRUE(same(a.eccentricity.eyOverL, b.eccentricity.eyOverL));
    EXPECT_EQ(a.verified, b.verified);
}

void expectSame(const SweepCell& a, const SweepCell& b) {
    EXPECT_EQ(a.valid, b.valid);
    EXPECT_TRUE(same(a.load, b.load));
    EXPECT_TRUE(same(a.qult, b.qult));
    EXPECT_TRUE(same(a.utilBearing, b.utilBearing));
    EXPECT_TRUE(same(a.utilSliding, b.utilSliding));
}

// Inputs of every kind the old computations met: friction and cohesion,
// inclined and eccentric loads, a tilted base under a slope, undrained
// soil, refused soil, a load no width holds, a method past its domain.
struct Input {
    const char* name;
    GeometryData footing;
    SoilData soil;
};

const Input kInputs[] = {
    {"Sand", {.B = 2, .L = 3, .D = 1, .N = 100000, .T = 5000}, {1800, 30, 20, 0, 0}},
    {"Everything",
     {.B = 2, .L = 3, .D = 1, .alpha = 5, .omega = 5, .ex = 0.1, .ey = 0.1, .N = 50000, .T = 2000},
     {1800, 28, 20, 0.15, 0.1}},
    {"Undrained", {.B = 1.3, .L = 7.1, .D = 2.7, .N = 200000, .T = 1000}, {1900.3, 0, 0, 0.5, 0.2}},
    {"SurfaceUnloaded", {.B = 0.7, .L = 0.7, .D = 0}, {1733.3, 37.7, 12.1, 0.13, 0.07}},
    {"Refused", {.B = 1, .L = 1, .D = 1, .N = 1000}, {1800, 0, 0, 0, 0}},
    {"Sheared", {.B = 1, .L = 1, .D = 1, .N = 10000, .T = 25000}, {1800, 30, 70, 0, 0}},
    {"Heavy", {.B = 1, .L = 1, .D = 1, .N = 9999999, .T = 0}, {1800, 30, 20, 0, 0}},
};

// The ground models that are the dry homogeneous soil: none at all, and a
// water table deeper than the base plus B, which reaches none of the means.
GroundData deepWater() {
    GroundData g;
    g.waterTable = 90.0;
    g.gammaSat = 2100;
    return g;
}
const GroundData kDryGrounds[] = {GroundData{}, deepWater()};

TEST(DryGround, VerificationIsTheOldOneBitForBit) {
    for (const GroundData& ground : kDryGrounds)
        for (const Input& in : kInputs)
            for (const Approach* a : {findApproach("ntc2018"), findApproach("ec7-da3")})
                for (int m = Terzaghi; m <= Vesic; ++m) {
                    SCOPED_TRACE(std::string(in.name) + " " + std::string(a->id) + " " +
                                 std::to_string(m));
                    const GroundVerification g = verifyOnGround(*a, m, in.footing, in.soil, ground);
                    const Verification old = verify(*a, m, in.footing, in.soil);
                    expectSame(g.drained.verification, old);
                    EXPECT_FALSE(g.undrained);
                    EXPECT_FALSE(g.drained.lifted);
                    EXPECT_EQ(g.verified, old.verified);
                    EXPECT_EQ(g.refused(), old.refused());
                }
}

TEST(DryGround, SizingIsTheOldOneBitForBit) {
    const SizingRule rules[] = {
        {SizingRuleKind::Square, 1}, {SizingRuleKind::Ratio, 1.5}, {SizingRuleKind::Length, 4}};
    for (const GroundData& ground : kDryGrounds)
        for (const Input& in : kInputs)
            for (const SizingRule& rule : rules) {
                SCOPED_TRACE(std::string(in.name) + " " + sizingRuleText(rule));
                const Approach& da2 = *findApproach("ec7-da2");
                const GroundSizing g = sizeOnGround(da2, Hansen, in.footing, in.soil, ground, rule);
                const Sizing old = sizeFooting(da2, Hansen, in.footing, in.soil, rule);
                EXPECT_TRUE(same(g.B, old.B));
                EXPECT_TRUE(same(g.L, old.L));
                expectSame(g.verification.drained.verification, old.verification);
            }
}

TEST(DryGround, ComparisonIsTheOldOneBitForBit) {
    for (const GroundData& ground : kDryGrounds)
        for (const Input& in : kInputs) {
            SCOPED_TRACE(in.name);
            const GroundComparison g = compareOnGround(in.footing, in.soil, ground, 2.5);
            const Comparison old = compareMethods(in.footing, in.soil, 2.5);
            EXPECT_FALSE(g.undrained);
            EXPECT_EQ(g.drained.comparison.refusal, old.refusal);
            for (std::size_t m = 0; m < 4; ++m) {
                const MethodRun& a = g.drained.comparison.runs[m];
                const MethodRun& b = old.runs[m];
                EXPECT_EQ(a.engineResult, b.engineResult);
                EXPECT_TRUE(same(a.result, b.result)) << m;
                EXPECT_TRUE(same(a.pressures.qult, b.pressures.qult));
                EXPECT_TRUE(same(a.pressures.qamm, b.pressures.qamm));
            }
        }
}

TEST(DryGround, SweepIsTheOldOneBitForBit) {
    const char* fields[] = {"B", "D", "N", "T", "gamma", "phi", "delta", "c", "ca"};
    for (const GroundData& ground : kDryGrounds)
        for (const Input& in : {kInputs[0], kInputs[1], kInputs[5]})
            for (const char* field : fields)
                for (const Approach* a : {static_cast<const Approach*>(nullptr),
                                          findApproach("ec7-da1"), findApproach("ec7-da3")}) {
                    const InputField* f = findInputField(field);
                    // B and D stop well above the deep water table.
                    const bool base = f->geometryField == &GeometryData::B ||
                                      f->geometryField == &GeometryData::D;
                    const SweepSpec study{f, f->minimum, base ? 20.0 : f->maximum, 41};
                    SCOPED_TRACE(std::string(in.name) + " " + field);
                    std::vector<SweepPoint> g(study.count), old(study.count);
                    computeSweepPointsOnGround(study, in.footing, in.soil, ground, a, 0,
                                               study.count, g.data());
                    computeSweepPoints(study, in.footing, in.soil, a, 0, study.count, old.data());
                    for (std::size_t i = 0; i < study.count; ++i)
                        for (std::size_t m = 0; m < 4; ++m) {
                            expectSame(g[i].methods[m], old[i].methods[m]);
                            EXPECT_FALSE(g[i].undrained[m].valid);
                        }
                }
}

TEST(DryGround, MonteCarloIsTheOldOneBitForBit) {
    const MonteCarloSpec study{
        .samples = 3000, .seed = 9, .method = Hansen, .cov = {0.05, 0.1, 0.1, 0.3, 0.3}};
    for (const GroundData& ground : kDryGrounds)
        for (const Input& in : kInputs) {
            SCOPED_TRACE(in.name);
            const auto g = runMonteCarloOnGround(study, in.footing, in.soil, ground, 2, true);
            const auto old = runMonteCarlo(study, in.footing, in.soil, 1, true);
            ASSERT_TRUE(g && old);
            const MonteCarloResult& r = g->drained;
            EXPECT_FALSE(g->undrained);
            EXPECT_EQ(r.refusal, old->refusal);
            EXPECT_EQ(r.failures, old->failures);
            EXPECT_EQ(r.refused, old->refused);
            EXPECT_TRUE(same(r.pf, old->pf));
            EXPECT_TRUE(same(r.beta, old->beta));
            EXPECT_TRUE(same(r.mean, old->mean));
            EXPECT_TRUE(same(r.cov, old->cov));
            EXPECT_TRUE(same(r.p05, old->p05));
            EXPECT_TRUE(same(r.p95, old->p95));
            EXPECT_EQ(r.loads, old->loads);
        }
}

constexpr double kDegree = std::numbers::pi / 180.0;

// Meyerhof under an inclined load (Meyerhof 1963): Kp = tan^2(45 + phi/2),
// Nq = e^(pi tan phi) Kp, N-gamma = (Nq - 1) tan(1.4 phi), Nc = (Nq - 1)
// cot phi (5.14 for phi = 0), d = 1 + 0.2 sqrt(Kp) D/B for c and
// 1 + 0.1 sqrt(Kp) D/B for q and gamma (1 for phi = 0), ic = iq =
// (1 - 2 theta/pi)^2, i-gamma = (1 - theta/phi)^2 (0 for phi = 0),
// theta = arctan(T/N). q kg/m2, gamma kg/m3, c kg/cm2; the load in kg.
double meyerhofInclined(double B, double L, double D, double N, double T, double q, double gamma,
                        double phi, double c) {
    const double Kp = std::pow(std::tan((45 + phi / 2) * kDegree), 2);
    const double Nq = std::exp(std::numbers::pi * std::tan(phi * kDegree)) * Kp;
    const double Nga = (Nq - 1) * std::tan(1.4 * phi * kDegree);
    const double Nc = phi == 0 ? 5.14 : (Nq - 1) / std::tan(phi * kDegree);
    const double dc = 1 + 0.2 * std::sqrt(Kp) * D / B;
    const double dq = phi == 0 ? 1 : 1 + 0.1 * std::sqrt(Kp) * D / B;
    const double theta = std::atan(T / N);
    const double iq = std::pow(1 - 2 * theta / std::numbers::pi, 2);
    const double iga = phi == 0 ? 0 : std::pow(1 - theta / (phi * kDegree), 2);
    return B * L * (c * 1e4 * Nc * dc * iq + q * Nq * dq * iq + 0.5 * B * gamma * Nga * dq * iga);
}

// B = 2, L = 3, D = 1 on sand (gamma 1800, gammaSat 2000 kg/m3, phi 30,
// delta 20) with the water 0.5 m below the ground: q' = 0.5 1800 + 0.5
// (2000 - 1000) = 1400 kg/m2, gamma' = 1000 kg/m3, U = 1000 0.5 2 3 =
// 3000 kg. The methods and both checks see N - U = 97000 kg.
TEST(GroundVerification, WaterAboveTheBaseTakesTheUpliftOffN) {
    GroundData ground;
    ground.waterTable = 0.5;
    ground.gammaSat = 2000;
    const GeometryData footing{.B = 2, .L = 3, .D = 1, .N = 100000, .T = 5000};
    const GroundVerification v =
        verifyOnGround(*findApproach("ntc2018"), Meyerhof, footing, {1800, 30, 20, 0, 0}, ground);
    const ConditionVerification& d = v.drained;
    EXPECT_DOUBLE_EQ(d.ground.q, 1400);
    EXPECT_DOUBLE_EQ(d.ground.gamma, 1000);
    EXPECT_DOUBLE_EQ(d.ground.uplift, 3000);
    EXPECT_FALSE(d.lifted);
    EXPECT_EQ(d.verification.bearing.Ed, 97000);
    const double Rk = meyerhofInclined(2, 3, 1, 97000, 5000, 1400, 1000, 30, 0);
    EXPECT_NEAR(*d.verification.bearing.Rk, Rk, 1e-9 * Rk);
    EXPECT_NEAR(*d.verification.bearing.Rd, Rk / 2.3, 1e-9 * Rk);
    const double slidingRd = 97000 * std::tan(20 * kDegree) / 1.1;
    EXPECT_NEAR(*d.verification.sliding.Rd, slidingRd, 1e-9 * slidingRd);
    EXPECT_TRUE(v.verified);
    EXPECT_FALSE(v.undrained);
    EXPECT_EQ(d.rule, ground::conditionRule(ground::Condition::Drained));
}

// A clay from the surface down (gamma 1900, phi' 25, c' 0.1, cu 0.5), dry,
// under B = 2, L = 3, D = 1 with DA3 (M2: tan phi' and c' over 1.25, cu
// over 1.4). Undrained: phi = 0, c = cu = 0.5, q = 1900 kg/m2, delta = 0,
// ca = 0.5; its design cu = 0.5/1.4 and sliding Rd = cu_d 1e4 B L.
TEST(GroundVerification, UndrainedConditionGovernsWhenItFails) {
    GroundData ground;
    SoilLayer clay;
    clay.name = "argilla";
    clay.gamma = 1900;
    clay.phi = 25;
    clay.delta = 16;
    clay.c = 0.1;
    clay.ca = 0.05;
    clay.cu = 0.5;
    ground.layers = {clay};
    const GeometryData footing{.B = 2, .L = 3, .D = 1, .N = 160000, .T = 5000};
    const GroundVerification v =
        verifyOnGround(*findApproach("ec7-da3"), Meyerhof, footing, SoilData{}, ground);
    ASSERT_TRUE(v.undrained);
    const ConditionVerification& u = *v.undrained;
    EXPECT_EQ(u.ground.condition, ground::Condition::Undrained);
    EXPECT_EQ(u.ground.phi, 0);
    EXPECT_EQ(u.ground.c, 0.5);
    EXPECT_EQ(u.ground.q, 1900);
    EXPECT_EQ(u.ground.ca, 0.5);
    EXPECT_EQ(u.ground.uplift, 0);
    EXPECT_DOUBLE_EQ(u.verification.design.c, 0.5 / 1.4);
    EXPECT_EQ(u.verification.bearing.Ed, 160000);
    const double Rk = meyerhofInclined(2, 3, 1, 160000, 5000, 1900, 1900, 0, 0.5 / 1.4);
    EXPECT_NEAR(*u.verification.bearing.Rk, Rk, 1e-9 * Rk);
    EXPECT_NEAR(*u.verification.sliding.Rd, 0.5 / 1.4 * 1e4 * 6, 1e-9);
    EXPECT_FALSE(u.verification.bearing.verified); // Rk is about 127000 kg, drained 191000
    EXPECT_TRUE(v.drained.verified());
    EXPECT_FALSE(v.verified);
    EXPECT_EQ(v.governing, ground::Condition::Undrained);
    EXPECT_EQ(&v.governingCondition(), &*v.undrained);

    // Light enough for both: the higher utilisation governs.
    GeometryData light = footing;
    light.N = 50000;
    const GroundVerification both =
        verifyOnGround(*findApproach("ec7-da3"), Meyerhof, light, SoilData{}, ground);
    EXPECT_TRUE(both.verified);
    EXPECT_EQ(both.governing, *both.undrained->verification.bearing.utilisation >
                                      *both.drained.verification.bearing.utilisation
                                  ? ground::Condition::Undrained
                                  : ground::Condition::Drained);
}

// Water at the surface over a base 2 m deep, B = 2, L = 3: U = 1000 2 6 =
// 12000 kg. Any N up to U lifts the footing; the dry N = 0 does not.
TEST(GroundVerification, WaterThatLiftsTheFootingFailsEveryComputation) {
    struct Row {
        std::optional<double> waterTable;
        double N;
        bool lifted;
    };
    const Row rows[] = {{0.0, 10000, true},
                        {0.0, 12000, true},
                        {0.0, 12000.5, false},
                        {std::nullopt, 0, false},
                        {2.0, 0, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.N);
        GroundData ground;
        ground.waterTable = row.waterTable;
        const GeometryData footing{.B = 2, .L = 3, .D = 2, .N = row.N, .T = 1000};
        const SoilData sand{1800, 30, 20, 0, 0.05};
        const GroundVerification v =
            verifyOnGround(*findApproach("ntc2018"), Vesic, footing, sand, ground);
        EXPECT_EQ(v.drained.lifted, row.lifted);
        const auto& notes = v.drained.notes;
        EXPECT_EQ(std::find(notes.begin(), notes.end(), kLiftedNote) != notes.end(), row.lifted);
        const GroundComparison c = compareOnGround(footing, sand, ground, 3);
        EXPECT_EQ(c.drained.lifted, row.lifted);
        const auto mc =
            runMonteCarloOnGround({.samples = 100, .cov = {0, 0.1}}, footing, sand, ground);
        ASSERT_TRUE(mc);
        EXPECT_EQ(mc->drained.lifted, row.lifted);
        if (!row.lifted)
            continue;
        EXPECT_EQ(v.drained.verification.bearing.Ed, row.N - 12000);
        EXPECT_FALSE(v.drained.verification.bearing.Rk || v.drained.verification.sliding.Rd);
        EXPECT_FALSE(v.verified);
        for (const MethodRun& run : c.drained.comparison.runs)
            EXPECT_NE(run.engineResult, kEngineOk);
        EXPECT_EQ(mc->drained.pf, 1.0);
        EXPECT_FALSE(mc->drained.mean);
    }
}

// Three layers: a sand crust to 1.5 m, a soft clay (cu 0.2) to 4 m, then
// a gravel. Under a small base the clay governs the size; without its cu
// the width found is smaller.
GroundData crustOnClay(double cu) {
    GroundData g;
    g.waterTable = 1.2;
    SoilLayer crust, clay, gravel;
    crust = {"sabbia", 1.5, 1800, 2000, 32, 22, 0, 0, 0, {}, ""};
    clay = {"argilla", 2.5, 1850, 1950, 24, 16, 0.05, 0.02, cu, {}, ""};
    gravel = {"ghiaia", 10, 1950, 2100, 38, 25, 0, 0, 0, {}, ""};
    g.layers = {crust, clay, gravel};
    return g;
}

TEST(GroundSizing, EveryWidthItsOwnGroundModelAndEveryCondition) {
    const GeometryData footing{.B = 1, .L = 1, .D = 1, .N = 150000, .T = 5000};
    const Approach& ntc = *findApproach("ntc2018");
    const SizingRule square{SizingRuleKind::Square, 1};
    const GroundSizing withCu = sizeOnGround(ntc, Meyerhof, footing, {}, crustOnClay(0.2), square);
    const GroundSizing without = sizeOnGround(ntc, Meyerhof, footing, {}, crustOnClay(0), square);
    ASSERT_TRUE(withCu.B && without.B);
    EXPECT_GT(*withCu.B, *without.B);
    ASSERT_TRUE(withCu.verification.undrained);
    EXPECT_FALSE(without.verification.undrained);
    // The base rests on the sand, which has no cu: it slides drained.
    const ConditionVerification& u = *withCu.verification.undrained;
    EXPECT_NE(std::find(u.notes.begin(), u.notes.end(), kDrainedSlidingNote), u.notes.end());
    EXPECT_TRUE(
        same(u.verification.sliding.Rd, withCu.verification.drained.verification.sliding.Rd));
    // The width found and the one below, each on its own ground model.
    for (const GroundSizing* s : {&withCu, &without}) {
        const GroundData& ground = s == &withCu ? crustOnClay(0.2) : crustOnClay(0);
        GeometryData g = footing;
        g.B = g.L = *s->B;
        EXPECT_TRUE(verifyOnGround(ntc, Meyerhof, g, {}, ground).verified);
        g.B = g.L = *s->B - 0.01;
        EXPECT_FALSE(verifyOnGround(ntc, Meyerhof, g, {}, ground).verified);
    }
}

TEST(GroundSweep, UndrainedColumnsAndLiftedPoints) {
    // N from 0 to 40000 kg over U = 12000 kg (water at the surface, D = 2).
    GroundData ground = crustOnClay(0.4);
    ground.waterTable = 0.0;
    const GeometryData footing{.B = 2, .L = 3, .D = 2, .N = 0};
    const SweepSpec study{findInputField("N"), 0, 40000, 11};
    const auto points = runSweepOnGround(study, footing, {}, ground, findApproach("ntc2018"), 1);
    ASSERT_TRUE(points);
    for (const SweepPoint& p : *points) {
        SCOPED_TRACE(p.x);
        EXPECT_EQ(p.methods[Meyerhof].valid, p.x > 12000);
        EXPECT_TRUE(p.undrained[Meyerhof].valid); // the clay lies within B below the base
        EXPECT_TRUE(p.undrained[Meyerhof].utilBearing);
    }
    EXPECT_EQ(sweepCsvHeader(study, false, true),
              "N,terzaghi_load,terzaghi_qult,meyerhof_load,meyerhof_qult,hansen_load,hansen_qult,"
              "vesic_load,vesic_qult,terzaghi_undrained_load,terzaghi_undrained_qult,"
              "meyerhof_undrained_load,meyerhof_undrained_qult,hansen_undrained_load,"
              "hansen_undrained_qult,vesic_undrained_load,vesic_undrained_qult\n");
    EXPECT_TRUE(mayBeUndrained(ground));
    EXPECT_FALSE(mayBeUndrained(crustOnClay(0)));
}

// With layers a swept soil value replaces the drained equivalent one: at
// phi = the mean the point is the verification itself.
TEST(GroundSweep, ASoilValueReplacesTheEquivalentOne) {
    const GroundData ground = crustOnClay(0);
    const GeometryData footing{.B = 2, .L = 3, .D = 1, .N = 100000, .T = 5000};
    const ground::GroundModel model = ground::evaluateGround(ground, {}, footing);
    const double phi = model.drained.phi;
    const SweepSpec study{findInputField("phi"), phi, phi + 5, 2};
    const auto points = runSweepOnGround(study, footing, {}, ground, findApproach("ntc2018"), 1);
    ASSERT_TRUE(points);
    const GroundVerification v =
        verifyOnGround(*findApproach("ntc2018"), Hansen, footing, {}, ground);
    EXPECT_EQ((*points)[0].methods[Hansen].load, *v.drained.verification.bearing.Rk);
    EXPECT_GT((*points)[1].methods[Hansen].load, (*points)[0].methods[Hansen].load);
}

TEST(GroundMonteCarlo, FixedValuesAreEachConditionsDeterministicRun) {
    const GroundData ground = crustOnClay(0.2);
    const GeometryData footing{.B = 1.2, .L = 1.5, .D = 1, .N = 60000, .T = 2000};
    const auto r = runMonteCarloOnGround({.samples = 50, .method = Vesic}, footing, {}, ground);
    ASSERT_TRUE(r && r->undrained);
    const GroundVerification v =
        verifyOnGround(*findApproach("ec7-da1"), Vesic, footing, {}, ground);
    EXPECT_EQ(*r->drained.p50, *v.drained.verification.bearing.Rk);
    EXPECT_EQ(*r->undrained->p50, *v.undrained->verification.bearing.Rk);
    EXPECT_EQ(r->undrained->pf, *r->undrained->p50 < footing.N ? 1.0 : 0.0);
    EXPECT_EQ(r->governing, r->undrained->pf > r->drained.pf ? ground::Condition::Undrained
                                                             : ground::Condition::Drained);
}

} // namespace
} // namespace zolt::design
