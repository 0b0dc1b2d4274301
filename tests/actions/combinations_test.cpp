// Combinations built from characteristic actions against values worked by
// hand, the given ones with the self-weight, and the words they use.
#include "actions/combinations.h"
#include "actions/psi.h"
#include "actions/self_weight.h"
#include "actions/vocabulary.h"
#include "design/units.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace zolt::actions {
namespace {

constexpr double kKg = 1.0 / design::kKilonewtonsPerKg; // kg in one kN

Action action(const char* name, ActionKind kind, double NkN,
              VariableCategory category = VariableCategory::A, BaseForces extra = {}) {
    Action a;
    a.name = name;
    a.kind = kind;
    a.category = category;
    a.forces = extra;
    a.forces.N = NkN * kKg;
    return a;
}

// G1 500, G2 150, Q category A 200, snow at or below 1000 m 50 (kN).
const std::vector<Action> kHandWorked = {
    action("Struttura", ActionKind::G1, 500), action("Finiture", ActionKind::G2, 150),
    action("Abitazioni", ActionKind::Q, 200, VariableCategory::A),
    action("Neve", ActionKind::Q, 50, VariableCategory::SnowLow)};

std::vector<Combination> ofType(const std::vector<Combination>& all, CombinationType type) {
    std::vector<Combination> out;
    for (const Combination& c : all)
        if (c.type == type)
            out.push_back(c);
    return out;
}

struct HandCase {
    CombinationType type;
    std::size_t index; // within its type
    double NkN;
    const char* name;
};

class HandWorked : public testing::TestWithParam<HandCase> {};

TEST_P(HandWorked, GivesTheValueAndTheName) {
    const HandCase& k = GetParam();
    const FactorSet ntc[] = {FactorSet::NtcA1};
    const auto list = ofType(buildCombinations(kHandWorked, ntc), k.type);
    ASSERT_LT(k.index, list.size());
    EXPECT_NEAR(list[k.index].forces.N / kKg, k.NkN, 1e-9);
    EXPECT_EQ(list[k.index].name, k.name);
}

INSTANTIATE_TEST_SUITE_P(
    NtcA1, HandWorked,
    testing::Values(
        // 1.3 500 + 1.5 150 + 1.5 200 + 1.5 0.5 50
        HandCase{CombinationType::ULS, 0, 1212.5,
                 "SLU 1: 1.3 G1 + 1.5 G2 + 1.5 Abitazioni + 0.75 Neve"},
        // 650 + 225 + 1.5 50 + 1.5 0.7 200
        HandCase{CombinationType::ULS, 1, 1160,
                 "SLU 2: 1.3 G1 + 1.5 G2 + 1.5 Neve + 1.05 Abitazioni"},
        HandCase{CombinationType::ULS, 2, 875, "SLU 3: 1.3 G1 + 1.5 G2"},
        HandCase{CombinationType::ULS, 3, 1107.5,
                 "SLU 4: 1.3 G1 + 0.8 G2 + 1.5 Abitazioni + 0.75 Neve"},
        HandCase{CombinationType::ULS, 11, 620, "SLU 12: G1 + 0.8 G2"},
        // 500 + 150 + 200 + 0.5 50
        HandCase{CombinationType::SLERare, 0, 875, "SLE rara 1: G1 + G2 + Abitazioni + 0.5 Neve"},
        HandCase{CombinationType::SLERare, 1, 840, "SLE rara 2: G1 + G2 + Neve + 0.7 Abitazioni"},
        // 650 + 0.5 200 + 0 50
        HandCase{CombinationType::SLEFrequent, 0, 750, "SLE frequente 1: G1 + G2 + 0.5 Abitazioni"},
        HandCase{CombinationType::SLEFrequent, 1, 720,
                 "SLE frequente 2: G1 + G2 + 0.2 Neve + 0.3 Abitazioni"},
        // 650 + 0.3 200 + 0 50
        HandCase{CombinationType::SLEQuasiPermanent, 0, 710,
                 "SLE quasi permanente 1: G1 + G2 + 0.3 Abitazioni"}));

struct CountCase {
    const char* name;
    std::vector<Action> actions;
    std::vector<FactorSet> sets;
    std::array<std::size_t, 5> counts; // ULS, SLV, rare, frequent, quasi-permanent
};

class Counts : public testing::TestWithParam<CountCase> {};

TEST_P(Counts, FollowTheRules) {
    const CountCase& k = GetParam();
    const auto all = buildCombinations(k.actions, k.sets);
    const CombinationType types[] = {CombinationType::ULS, CombinationType::SLV,
                                     CombinationType::SLERare, CombinationType::SLEFrequent,
                                     CombinationType::SLEQuasiPermanent};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(ofType(all, types[i]).size(), k.counts[i]) << typeId(types[i]);
}

std::vector<Action> with(std::vector<Action> a, const Action& more) {
    a.push_back(more);
    return a;
}

const Action kE = action("Sisma", ActionKind::E, 10);

INSTANTIATE_TEST_SUITE_P(
    Actions, Counts,
    testing::Values(
        CountCase{"ntc", kHandWorked, {FactorSet::NtcA1}, {12, 0, 2, 2, 1}},
        CountCase{"seismic", with(kHandWorked, kE), {FactorSet::NtcA1}, {12, 2, 2, 2, 1}},
        // DA1: 4 (nQ + 1) in A1, nQ + 1 in A2 where G is 1.00 either way.
        CountCase{"da1", kHandWorked, {FactorSet::Ec7A1, FactorSet::Ec7A2}, {15, 0, 2, 2, 1}},
        // No G2 action: its two values would repeat every combination.
        CountCase{"noG2",
                  {kHandWorked[0], kHandWorked[2], kHandWorked[3]},
                  {FactorSet::NtcA1},
                  {6, 0, 2, 2, 1}},
        CountCase{"noQ", {kHandWorked[0], kHandWorked[1]}, {FactorSet::Ec7A1}, {4, 0, 1, 1, 1}},
        CountCase{"none", {}, {FactorSet::NtcA1}, {0, 0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Seismic, TakesEWithItsSignsAndReversed) {
    const Action e = action("Sisma", ActionKind::E, 100, VariableCategory::A,
                            {.TB = 3000, .TL = 4000, .MB = -20000, .ML = 5000});
    const FactorSet ntc[] = {FactorSet::NtcA1};
    const auto slv = ofType(buildCombinations(with(kHandWorked, e), ntc), CombinationType::SLV);
    ASSERT_EQ(slv.size(), 2u);
    // 650 + 0.3 200 + 0 50, plus or minus 100.
    EXPECT_NEAR(slv[0].forces.N / kKg, 810, 1e-9);
    EXPECT_NEAR(slv[1].forces.N / kKg, 610, 1e-9);
    EXPECT_EQ(slv[0].name, "SLV 1: E + G1 + G2 + 0.3 Abitazioni");
    EXPECT_EQ(slv[1].name, "SLV 2: -E + G1 + G2 + 0.3 Abitazioni");
    EXPECT_EQ(slv[1].forces.TB, -3000);
    EXPECT_EQ(slv[1].forces.MB, 20000);
    EXPECT_DOUBLE_EQ(slv[0].T, 5000);
    EXPECT_DOUBLE_EQ(slv[1].ex, 20000 / (610 * kKg));
    EXPECT_FALSE(slv[0].factors.has_value());
}

TEST(MakeCombination, DerivesTEccentricitiesAndLifting) {
    struct Row {
        BaseForces f;
        double T, ex, ey;
        bool lifts;
    };
    for (const Row& r :
         {Row{{1000, 30, 40, -200, 100}, 50, 0.2, 0.1, false},
          Row{{1000, 0, 0, 0, 0}, 0, 0, 0, false}, Row{{0, 30, 40, 200, 0}, 50, 0, 0, true},
          Row{{-500, 0, 0, 200, 0}, 0, 0, 0, true}}) {
        const Combination c = makeCombination("c", CombinationType::ULS, FactorSet::NtcA1, r.f);
        EXPECT_DOUBLE_EQ(c.T, r.T) << r.f.N;
        EXPECT_DOUBLE_EQ(c.ex, r.ex) << r.f.N;
        EXPECT_DOUBLE_EQ(c.ey, r.ey) << r.f.N;
        EXPECT_EQ(c.lifts, r.lifts) << r.f.N;
    }
}

TEST(FactorText, IsTheShortestForm) {
    struct Row {
        double factor;
        const char* text;
    };
    for (const Row& r : {Row{1.3, "1.3"}, Row{1.5 * 0.7, "1.05"}, Row{1.35 * 0.7, "0.945"},
                         Row{1.5 * 0.6, "0.9"}, Row{1.0, "1"}, Row{1.35, "1.35"}, Row{0.8, "0.8"}})
        EXPECT_EQ(factorText(r.factor), r.text) << r.factor;
}

TEST(GivenCombinations, AddTheSelfWeightWithTheFactorOfTheirType) {
    struct Row {
        FactorSet set;
        CombinationType type;
        double factor;
    };
    for (const Row& r : {Row{FactorSet::NtcA1, CombinationType::ULS, 1.3},
                         Row{FactorSet::Ec7A1, CombinationType::ULS, 1.35},
                         Row{FactorSet::Ec7A2, CombinationType::ULS, 1.0},
                         Row{FactorSet::NtcA1, CombinationType::SLV, 1.0},
                         Row{FactorSet::NtcA1, CombinationType::SLEQuasiPermanent, 1.0}}) {
        const GivenCombination g{"C1", r.type, {.N = 10000, .TB = 500, .MB = 2000}, ""};
        const auto c = givenCombinations({&g, 1}, r.set, 4000);
        ASSERT_EQ(c.size(), 1u);
        EXPECT_DOUBLE_EQ(c[0].forces.N, 10000 + r.factor * 4000) << typeId(r.type);
        EXPECT_DOUBLE_EQ(c[0].ex, 2000 / c[0].forces.N);
        EXPECT_EQ(c[0].factors.has_value(), r.type == CombinationType::ULS);
        EXPECT_EQ(c[0].name, "C1");
    }
}

TEST(SelfWeight, IsTheFootingAndTheBackfillOverIt) {
    struct Row {
        double B, L, D, t, gammaC;
        std::optional<double> gammaFill;
        double footing, backfill;
    };
    for (const Row& r : {Row{2, 3, 1, 0.5, 2500, std::nullopt, 7500, 5400},
                         Row{2, 2, 1.5, 0.5, 2400, 2000, 4800, 8000},
                         // The base above the top of the footing: no backfill.
                         Row{2, 3, 0.4, 0.5, 2500, std::nullopt, 7500, 0}}) {
        const SelfWeight w{r.t, r.gammaC, r.gammaFill};
        const SelfWeightLoad load = selfWeightLoad(w, r.B, r.L, r.D, 1800);
        EXPECT_DOUBLE_EQ(load.footing, r.footing) << r.D;
        EXPECT_DOUBLE_EQ(load.backfill, r.backfill) << r.D;
    }
}

TEST(ProjectCombinations, AddTheSelfWeightAndRunBothCombinationsOfDa1) {
    ActionsData data;
    data.characteristic = kHandWorked;
    data.selfWeight = SelfWeight{0.5, 2500, std::nullopt};
    const GeometryData footing{.B = 2, .L = 3, .D = 1};
    const design::Approach& da1 = *design::findApproach("ec7-da1");
    const auto all = projectCombinations(data, da1, footing, 1800);
    const auto uls = ofType(all, CombinationType::ULS);
    ASSERT_EQ(uls.size(), 15u);
    // 1.35 (500 kN + 12900 kg) + 1.35 150 + 1.5 200 + 1.5 0.5 50
    EXPECT_NEAR(uls[0].forces.N, 1.35 * 12900 + (1.35 * 650 + 300 + 37.5) * kKg, 1e-6);
    EXPECT_EQ(uls[0].factors, FactorSet::Ec7A1);
    EXPECT_EQ(&approachFor(*uls[0].factors, da1), &da1);
    EXPECT_EQ(uls[12].name, "SLU A2 1: G1 + G2 + 1.3 Abitazioni + 0.65 Neve");
    EXPECT_EQ(approachFor(*uls[12].factors, da1).id, "ec7-da1-c2");

    data.mode = ActionsMode::Combinations;
    data.combinations = {{"C1", CombinationType::ULS, {.N = 10000}, ""}};
    const auto given = projectCombinations(data, da1, footing, 1800);
    ASSERT_EQ(given.size(), 1u);
    EXPECT_DOUBLE_EQ(given[0].forces.N, 10000 + 1.35 * 12900);
}

TEST(Approaches, KeepTheSecondCombinationOfDa1OutOfTheOfferedFour) {
    EXPECT_EQ(design::approaches().size(), 4u);
    EXPECT_EQ(design::findApproach("ec7-da1-c2"), nullptr);
    const design::Approach* c2 = design::findAnyApproach("ec7-da1-c2");
    ASSERT_EQ(c2, &design::da1Combination2());
    EXPECT_EQ(c2->label, "EC7 – DA1, Combinazione 2 (A2+M2+R1)");
    EXPECT_EQ(c2->gammaRv, 1.0);
    EXPECT_EQ(c2->gammaRh, 1.0);
    EXPECT_EQ(c2->soil.tanPhi, 1.25);
    EXPECT_EQ(design::findAnyApproach("ntc2018"), design::findApproach("ntc2018"));
}

TEST(Psi, FollowTab25I) {
    using VC = VariableCategory;
    struct Row {
        VC category;
        PsiFactors psi;
    };
    for (const Row& r :
         {Row{VC::A, {0.7, 0.5, 0.3}}, Row{VC::B, {0.7, 0.5, 0.3}}, Row{VC::C, {0.7, 0.7, 0.6}},
          Row{VC::D, {0.7, 0.7, 0.6}}, Row{VC::E, {1.0, 0.9, 0.8}}, Row{VC::F, {0.7, 0.7, 0.6}},
          Row{VC::G, {0.7, 0.5, 0.3}}, Row{VC::H, {0, 0, 0}}, Row{VC::Wind, {0.6, 0.2, 0}},
          Row{VC::SnowLow, {0.5, 0.2, 0}}, Row{VC::SnowHigh, {0.7, 0.5, 0.2}},
          Row{VC::Temperature, {0.6, 0.5, 0}}})
        EXPECT_EQ(psiFactors(r.category), r.psi) << categoryId(r.category);
}

TEST(Vocabulary, ReadsBackEveryId) {
    EXPECT_EQ(variableCategories().size(), 12u);
    for (VariableCategory c : variableCategories())
        EXPECT_EQ(findCategory(categoryId(c)), c) << categoryId(c);
    for (ActionKind k : {ActionKind::G1, ActionKind::G2, ActionKind::Q, ActionKind::E})
        EXPECT_EQ(findKind(kindId(k)), k);
    for (const char* id : {"ULS", "SLV", "SLE-rare", "SLE-frequent", "SLE-qp"})
        EXPECT_EQ(typeId(*findType(id)), id);
    EXPECT_EQ(findCategory("snow"), std::nullopt);
    EXPECT_EQ(categoryId(VariableCategory::SnowLow), "snow-low");
}

} // namespace
} // namespace zolt::actions
