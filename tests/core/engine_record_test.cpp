// What each engine call clears, writes and keeps in the results record,
// and how it refuses inputs for which the formulas give no meaningful load.
#include "engine/bearing_capacity.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace zolt {
namespace {

constexpr std::int32_t kMethods[] = {Terzaghi, Meyerhof, Hansen, Vesic};

// What a successful run writes and a refused one must keep: the N-factors,
// the load and Terzaghi's term.
constexpr double BearingResult::*kKeptFields[] = {
    &BearingResult::Nq,           &BearingResult::NqCorr,   &BearingResult::Nc,
    &BearingResult::NcCorr,       &BearingResult::Nga,      &BearingResult::NgaCorr,
    &BearingResult::ultimateLoad, &BearingResult::terzaghiA};

// A record as previous runs might have left it, every field distinct.
BearingResult filledRecord() {
    BearingResult r;
    double value = 11;
    for (auto field : kKeptFields)
        r.*field = value++;
    r.Kp = r.cohesionM = -1;
    for (int i = 0; i < kFactorCount; ++i) {
        r.factor(i) = 100 + i;
        r.factorPresent[i] = 1;
    }
    return r;
}

void expectPreviousResultsKept(const BearingResult& r) {
    double value = 11;
    for (auto field : kKeptFields)
        EXPECT_EQ(r.*field, value++);
}

// Every factor reads 0.0 with its flag clear, except the groups listed by
// their first FactorIndex.
void expectOnlyGroups(const BearingResult& r, std::initializer_list<int> groups) {
    for (int i = 0; i < kFactorCount; ++i) {
        bool present = false;
        for (int first : groups)
            present = present || (i >= first && i < first + 3);
        EXPECT_EQ(r.factorPresent[i], present ? 1 : 0) << "factor " << i;
        EXPECT_TRUE(present || r.factor(i) == 0.0) << "factor " << i;
    }
}

int run(std::int32_t method, const GeometryData& g, const SoilData& s, BearingResult& r) {
    return computeBearing(method, g, s, r, &r.ultimateLoad);
}

TEST(EngineRecord, TerzaghiTermSurvivesOtherMethods) {
    BearingResult r;
    ASSERT_EQ(run(Terzaghi, {}, {}, r), kEngineOk);
    const double a = r.terzaghiA;
    EXPECT_NEAR(a, 3.351, 5e-4);
    ASSERT_EQ(run(Meyerhof, {}, {.phi = 20}, r), kEngineOk);
    EXPECT_EQ(r.terzaghiA, a);
    ASSERT_EQ(run(Vesic, {}, {.phi = 20}, r), kEngineOk);
    EXPECT_EQ(r.terzaghiA, a);
}

TEST(EngineRecord, RefusedInclinationKeepsPreviousResults) {
    for (std::int32_t method : {Hansen, Vesic}) {
        SCOPED_TRACE(method);
        BearingResult r = filledRecord();
        EXPECT_EQ(run(method, {.N = 10000, .T = 25000}, {.c = 0.1}, r), kEngineFailed);
        expectPreviousResultsKept(r);
        expectOnlyGroups(r, {kDc});
        EXPECT_DOUBLE_EQ(r.dc, 1.4);
        EXPECT_NEAR(r.Kp, 3.0, 1e-12);
        EXPECT_DOUBLE_EQ(r.cohesionM, 1000);
    }
}

TEST(EngineRecord, UnknownMethodOnlyClearsAndStoresCommonValues) {
    for (std::int32_t method : {4, -1}) {
        BearingResult r = filledRecord();
        EXPECT_EQ(run(method, {}, {.phi = 0, .c = 0.5}, r), kEngineOk);
        expectPreviousResultsKept(r);
        expectOnlyGroups(r, {});
        EXPECT_NEAR(r.Kp, 1.0, 1e-12);
        EXPECT_EQ(r.cohesionM, 5000);
    }
    // Even an angle the methods refuse: the method is judged first.
    BearingResult r = filledRecord();
    EXPECT_EQ(run(4, {}, {.phi = 95}, r), kEngineOk);
}

// Beyond 90 degrees, outside the base, or any non-finite value: a refusal
// that leaves the previous results and no factor of the refused call.
TEST(EngineRecord, RefusesInputsWithoutMeaningfulLoad) {
    struct Refused {
        const char* name;
        GeometryData geometry;
        SoilData soil;
    };
    const Refused cases[] = {
        // Overloaded too: Hansen and Vesic must not reach their own check.
        {"phi 90", {.N = 10000, .T = 25000}, {.phi = 90}},
        {"phi 99.9", {.N = 1000}, {.phi = 99.9}},
        {"phi NaN", {}, {.phi = NAN}},
        {"factors overflow near 90", {}, {.phi = 89.99}},
        {"resultant beyond the width", {.ex = 0.6}, {}},
        {"resultant beyond the length", {.L = 2, .ey = 1.01}, {}},
    };
    for (const Refused& c : cases) {
        for (std::int32_t method : kMethods) {
            SCOPED_TRACE(::testing::Message() << c.name << ", method " << method);
            BearingResult r = filledRecord();
            EXPECT_EQ(run(method, c.geometry, c.soil, r), kEngineFailed);
            expectPreviousResultsKept(r);
            expectOnlyGroups(r, {});
            EXPECT_NE(r.Kp, -1);
        }
    }
}

// Formulas used past their domain find no load: a refusal that keeps the
// previous results and only the call's depth factors. At the edges of the
// domains, and where phi = 0 sets factors to 0, the load stays.
TEST(EngineRecord, FormulasPastTheirDomainAreRefused) {
    struct Case {
        const char* name;
        std::int32_t method;
        GeometryData geometry;
        SoilData soil;
        int status;
    };
    const GeometryData kLowPhiInclined{.N = 10000, .T = 1000};
    // Undrained sum 1 + 0.4 - 0.5 - (99.9 + 40)/147 < 0, every factor >= 0.
    const GeometryData kSteepUndrained{.alpha = 99.9, .omega = 40, .N = 10000, .T = 2000};
    const SoilData kUndrained{.phi = 0, .c = 5, .ca = 0.2};
    // clang-format off
    const Case cases[] = {
        {"Meyerhof N-gamma past 64.29", Meyerhof, {}, {.phi = 65}, kEngineFailed},
        {"  even with a positive load", Meyerhof, {}, {.phi = 65, .c = 99.99}, kEngineFailed},
        {"  64 degrees", Meyerhof, {}, {.phi = 64}, kEngineOk},
        {"Hansen gq past 63.43", Hansen, {.omega = 64}, {}, kEngineFailed},
        {"  63 degrees", Hansen, {.omega = 63}, {}, kEngineOk},
        {"Hansen ic, low phi, inclined", Hansen, kLowPhiInclined, {.phi = 1, .c = 0.5},
         kEngineFailed},
        {"Vesic ic, low phi, inclined", Vesic, kLowPhiInclined, {.phi = 1, .c = 0.5},
         kEngineFailed},
        {"Vesic slope past 45", Vesic, {.omega = 80}, {}, kEngineFailed},
        {"  also at phi = 0", Vesic, {.omega = 50}, {.phi = 0, .c = 0.5}, kEngineFailed},
        {"  45 degrees", Vesic, {.omega = 45}, {}, kEngineOk},
        {"Vesic tilt past alpha_r tan phi = 1", Vesic, {.alpha = 80}, {.phi = 45},
         kEngineFailed},
        {"Hansen beyond a vertical slope", Hansen, {.omega = 95}, {}, kEngineFailed},
        {"Vesic beyond a vertical slope", Vesic, {.omega = 95}, {}, kEngineFailed},
        {"Hansen negative undrained load", Hansen, kSteepUndrained, kUndrained, kEngineFailed},
        {"Vesic negative undrained load", Vesic, kSteepUndrained, kUndrained, kEngineFailed},
        // Zeros by definition and Vesic's unused N-gamma = -2 sin(omega).
        {"Hansen phi 0, inclined", Hansen, kLowPhiInclined, {.phi = 0, .c = 0.5, .ca = 0.2},
         kEngineOk},
        {"Vesic phi 0 on a slope", Vesic, {.omega = 30}, {.phi = 0, .c = 0.5}, kEngineOk},
        {"Meyerhof phi 0, inclined", Meyerhof, kLowPhiInclined, {.phi = 0, .c = 0.5},
         kEngineOk},
        {"Terzaghi phi 0", Terzaghi, {}, {.phi = 0, .c = 0.5}, kEngineOk},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BearingResult r = filledRecord();
        const int status = run(c.method, c.geometry, c.soil, r);
        EXPECT_EQ(status, c.status);
        if (status != c.status)
            continue;
        if (c.status == kEngineOk) {
            EXPECT_GE(r.ultimateLoad, 0.0);
            continue;
        }
        expectPreviousResultsKept(r);
        expectOnlyGroups(r, {kDc});
    }
}

TEST(EngineRecord, UndefinedCohesiveInclinationIsRefused) {
    // No adhesion: Hansen takes sqrt(-inf), Vesic divides by zero.
    for (std::int32_t method : {Hansen, Vesic}) {
        SCOPED_TRACE(method);
        BearingResult r = filledRecord();
        EXPECT_EQ(run(method, {.N = 10000, .T = 1000}, {.phi = 0, .c = 0.5, .ca = 0}, r),
                  kEngineFailed);
        expectPreviousResultsKept(r);
        expectOnlyGroups(r, {});
        EXPECT_EQ(r.cohesionM, 5000);
    }
}

// A zero width can only come from a data file. It leaves the area 0, so the
// load is 0, except in Meyerhof, whose depth factors divide D by it.
// With D = 0 too, k is undefined: refused Hansen and Vesic calls then keep
// no depth factors either.
TEST(EngineRecord, ZeroWidth) {
    for (std::int32_t method : {Hansen, Vesic}) {
        BearingResult r = filledRecord();
        EXPECT_EQ(run(method, {.B = 0, .D = 0, .N = 10000, .T = 25000}, {}, r), kEngineFailed);
        expectPreviousResultsKept(r);
        expectOnlyGroups(r, {});
    }
    for (std::int32_t method : kMethods) {
        SCOPED_TRACE(method);
        BearingResult r = filledRecord();
        const int status = run(method, {.B = 0}, {}, r);
        if (method == Meyerhof) {
            EXPECT_EQ(status, kEngineFailed);
            expectPreviousResultsKept(r);
            expectOnlyGroups(r, {});
        } else {
            EXPECT_EQ(status, kEngineOk);
            EXPECT_EQ(r.ultimateLoad, 0.0);
        }
    }
}

TEST(EngineRecord, ResultantOnTheEdgeGivesZeroLoad) {
    for (std::int32_t method : kMethods) {
        SCOPED_TRACE(method);
        BearingResult r = filledRecord();
        EXPECT_EQ(run(method, {.ex = 0.5, .N = 1000}, {}, r), kEngineOk);
        EXPECT_EQ(r.ultimateLoad, 0.0);
    }
}

// A successful call holds only finite numbers, a refused one none of its
// own N-factors or load; every factor whose flag is clear reads 0.0, and
// groups are set whole or not at all.
void expectSoundRecord(std::int32_t method, const GeometryData& g, const SoilData& s, int& ok,
                       int& refused) {
    SCOPED_TRACE(::testing::Message() << "method " << method << " phi " << s.phi << " ex " << g.ex
                                      << " T " << g.T << " ca " << s.ca << " B " << g.B);
    BearingResult r = filledRecord();
    if (run(method, g, s, r) == kEngineOk) {
        ++ok;
        for (auto field : kKeptFields)
            EXPECT_TRUE(std::isfinite(r.*field));
    } else {
        ++refused;
        expectPreviousResultsKept(r);
    }
    for (int i = 0; i < kFactorCount; ++i) {
        EXPECT_TRUE(std::isfinite(r.factor(i)));
        EXPECT_EQ(r.factorPresent[i], r.factorPresent[i - i % 3]);
        EXPECT_TRUE(r.factorPresent[i] == 1 || r.factor(i) == 0.0);
    }
}

TEST(EngineRecord, NoNonFiniteValueSurvivesAnyInput) {
    int ok = 0, refused = 0;
    for (std::int32_t method : kMethods)
        for (double phi : {0.0, 10.0, 45.0, 80.0, 89.0, 89.9, 89.999, 90.0, 99.9})
            for (double ex : {0.0, 0.25, 0.5, 0.75})
                for (double T : {0.0, 1000.0, 1e7})
                    for (double ca : {0.0, 0.2})
                        for (double B : {0.0, 1.0})
                            expectSoundRecord(method, {.B = B, .ex = ex, .N = 5000, .T = T},
                                              {.phi = phi, .c = 0.5, .ca = ca}, ok, refused);
    EXPECT_GT(ok, 0);
    EXPECT_GT(refused, 0);
}

TEST(EngineRecord, FailedTerzaghiKeepsItsPreviousTerm) {
    BearingResult r;
    ASSERT_EQ(run(Terzaghi, {}, {}, r), kEngineOk);
    const double a = r.terzaghiA;
    EXPECT_EQ(run(Terzaghi, {}, {.phi = 95}, r), kEngineFailed);
    EXPECT_EQ(run(Terzaghi, {.ex = 0.7}, {.phi = 20}, r), kEngineFailed);
    EXPECT_EQ(r.terzaghiA, a);
}

// The entry point on the process-wide records.
class EngineEntry : public ::testing::Test {
protected:
    void SetUp() override {
        savedSoil_ = soilData;
        savedResult_ = bearingResult;
    }
    void TearDown() override {
        soilData = savedSoil_;
        bearingResult = savedResult_;
    }
    SoilData savedSoil_;
    BearingResult savedResult_;
};

TEST_F(EngineEntry, ReadsSoilWritesResultAndTakesForcesBeforeEccentricities) {
    soilData = {.phi = 30, .c = 0.1};
    bearingResult = BearingResult{};
    // B, L, D, alpha, omega, N, T, ex, ey: swapping the forces with the
    // eccentricities would put the resultant far outside the base.
    ASSERT_EQ(computeBearingCapacity(Hansen, 2, 3, 1, 0, 0, 50000, 0, 0.2, 0.3,
                                     &bearingResult.ultimateLoad),
              kEngineOk);
    EXPECT_NEAR(bearingResult.ultimateLoad, 456411, 0.5);
    EXPECT_NEAR(bearingResult.sc, 1.32562, 5e-6);
    EXPECT_EQ(bearingResult.cohesionM, 1000);

    BearingResult pure;
    ASSERT_EQ(computeBearing(Hansen, {.B = 2, .L = 3, .ex = 0.2, .ey = 0.3, .N = 50000}, soilData,
                             pure, &pure.ultimateLoad),
              kEngineOk);
    EXPECT_EQ(pure.ultimateLoad, bearingResult.ultimateLoad);
    EXPECT_EQ(pure.NgaCorr, bearingResult.NgaCorr);

    // The load goes only where the pointer says.
    double elsewhere = 0;
    bearingResult.ultimateLoad = -1;
    ASSERT_EQ(computeBearingCapacity(Hansen, 2, 3, 1, 0, 0, 50000, 0, 0.2, 0.3, &elsewhere),
              kEngineOk);
    EXPECT_EQ(elsewhere, pure.ultimateLoad);
    EXPECT_EQ(bearingResult.ultimateLoad, -1);
}

// The factors on the three terms of the load: the load is the sum of the
// terms, each times its factor, for every method and load case; with
// phi = 0 only zc acts. Factors of 1 leave the run as it was, bit for bit.
TEST(EngineTerms, EachFactorScalesItsTermOfTheLoad) {
    const struct {
        const char* name;
        GeometryData geometry;
        SoilData soil;
    } cases[] = {
        {"Vertical", {2, 3, 1, 0, 0, 0.1, 0, 100000, 0}, {1800, 30, 20, 0.1, 0.05}},
        {"Inclined", {2, 3, 1, 5, 5, 0.1, 0.2, 100000, 8000}, {1800, 28, 20, 0.15, 0.1}},
        {"Undrained", {1.5, 4, 1.2, 0, 0, 0, 0, 80000, 3000}, {1900, 0, 0, 0.5, 0.3}},
    };
    const auto load = [](std::int32_t m, const GeometryData& g, const SoilData& s, double zc,
                         double zq, double zga) {
        BearingOptions o;
        o.zc = zc;
        o.zq = zq;
        o.zga = zga;
        BearingResult r;
        EXPECT_EQ(computeBearing(m, g, s, o, r, &r.ultimateLoad), kEngineOk);
        return r.ultimateLoad;
    };
    for (const auto& k : cases)
        for (const std::int32_t m : kMethods) {
            SCOPED_TRACE(std::string(k.name) + " " + std::to_string(m));
            BearingResult plain;
            ASSERT_EQ(computeBearing(m, k.geometry, k.soil, plain, &plain.ultimateLoad), kEngineOk);
            EXPECT_EQ(load(m, k.geometry, k.soil, 1, 1, 1), plain.ultimateLoad);
            const double base = load(m, k.geometry, k.soil, 0, 0, 0);
            const double c = load(m, k.geometry, k.soil, 1, 0, 0) - base;
            const double q = load(m, k.geometry, k.soil, 0, 1, 0) - base;
            const double ga = load(m, k.geometry, k.soil, 0, 0, 1) - base;
            const double z = load(m, k.geometry, k.soil, 0.95, 0.9, 0.8);
            if (k.soil.phi == 0.0) {
                EXPECT_EQ(q, 0.0);
                EXPECT_EQ(ga, 0.0);
                EXPECT_NEAR(z, plain.ultimateLoad - 0.05 * c, 1e-9 * plain.ultimateLoad);
            } else {
                EXPECT_EQ(base, 0.0);
                EXPECT_NEAR(c + q + ga, plain.ultimateLoad, 1e-9 * plain.ultimateLoad);
                EXPECT_NEAR(z, 0.95 * c + 0.9 * q + 0.8 * ga, 1e-9 * plain.ultimateLoad);
            }
        }
}

} // namespace
} // namespace zolt
