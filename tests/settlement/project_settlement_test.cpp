// The settlement of the project: which loads reach the footing, that the
// largest settlement governs, and what a project that cannot be computed
// says; the sizing that takes the settlement as one more condition.
#include "actions/vocabulary.h"
#include "design/settlement_sizing.h"
#include "settlement/project_settlement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace zolt::settlement {
namespace {

// A 2 m square footing 1 m down in a dry homogeneous soil of 1800 kg/m3
// with the elastic values.
GeometryData footing() {
    GeometryData g;
    g.B = 2.0;
    g.L = 2.0;
    g.D = 1.0;
    g.N = 100000.0;
    return g;
}

SoilData soil() {
    SoilData s;
    s.gamma = 1800.0;
    return s;
}

DesignData elasticGround() {
    DesignData d;
    d.ground.settlement.E = 100.0;
    d.ground.settlement.nu = 0.3;
    return d;
}

Action action(ActionKind kind, VariableCategory category, double N) {
    Action a;
    a.name = std::string(zolt::actions::kindId(kind));
    a.kind = kind;
    a.category = category;
    a.forces.N = N;
    a.forces.MB = 0.1 * N; // moments the settlement leaves out
    return a;
}

// G1 100 t, G2 20 t, Q1 of category A (psi 0.7, 0.5, 0.3; NTC 2018
// Tab. 2.5.I) and Q2 wind (0.6, 0.2, 0).
ActionsData characteristic(double q1) {
    ActionsData a;
    a.characteristic = {action(ActionKind::G1, VariableCategory::A, 100000.0),
                        action(ActionKind::G2, VariableCategory::A, 20000.0),
                        action(ActionKind::Q, VariableCategory::A, q1),
                        action(ActionKind::Q, VariableCategory::Wind, 60000.0)};
    return a;
}

struct LoadCase {
    const char* name;
    std::optional<ActionsData> actions;
    CombinationType type;
    std::vector<double> N; // of each load, kg
    std::size_t governing;
};

class ProjectLoads : public ::testing::TestWithParam<LoadCase> {};

// Rare, Q1 = 50 t: 120 + 50 + 0.6 60 = 206 t leading Q1, 120 + 60 + 0.7 50
// = 215 t leading Q2; frequent: 120 + 0.5 50 = 145 t and 120 + 0.2 60 +
// 0.3 50 = 147 t; quasi-permanent 120 + 0.3 50 = 135 t. With Q1 = 90 t the
// first leads: 246 t against 243 t. The self-weight: 2 2 0.5 2500 = 5000 kg
// of concrete and 2 2 0.5 1800 = 3600 kg of backfill, in every load.
TEST_P(ProjectLoads, TheLargestSettlementGoverns) {
    const LoadCase& c = GetParam();
    DesignData design = elasticGround();
    design.actions = c.actions;
    SettlementSettings settings;
    settings.combination = c.type;
    settings.limit = 1.0;
    const ProjectSettlementOutcome o = settleProject(settings, footing(), soil(), design);
    ASSERT_TRUE(o.ok()) << o.failure.message;
    const ProjectSettlement& p = *o.settlement;
    ASSERT_EQ(p.loads.size(), c.N.size());
    for (std::size_t i = 0; i < c.N.size(); ++i)
        EXPECT_DOUBLE_EQ(p.loads[i].N, c.N[i]) << i;
    EXPECT_EQ(p.governing, c.governing);
    EXPECT_EQ(p.combined, c.actions.has_value());
    EXPECT_EQ(p.footing.N, c.N[c.governing]);
    for (const LoadSettlement& l : p.loads)
        EXPECT_LE(l.settlement.totalCm, p.result().totalCm) << l.name;
    EXPECT_EQ(p.result().notes.front(), kEccentricityNote);
    EXPECT_EQ(p.verified(), p.result().totalCm <= 1.0);
}

ActionsData withSelfWeight(ActionsData a) {
    a.selfWeight = SelfWeight{};
    return a;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectLoads,
    ::testing::Values(
        LoadCase{"NoActions", std::nullopt, CombinationType::SLEQuasiPermanent, {100000}, 0},
        LoadCase{"Rare", characteristic(50000), CombinationType::SLERare, {206000, 215000}, 1},
        LoadCase{"Frequent", characteristic(50000), CombinationType::SLEFrequent,
                 {145000, 147000}, 1},
        LoadCase{"QuasiPermanent", characteristic(50000), CombinationType::SLEQuasiPermanent,
                 {135000}, 0},
        LoadCase{"RareFirstLeads", characteristic(90000), CombinationType::SLERare,
                 {246000, 243000}, 0},
        LoadCase{"SelfWeight", withSelfWeight(characteristic(50000)), CombinationType::SLERare,
                 {214600, 223600}, 1}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The backfill over a 0.5 m footing 1 m down fills the top 0.5 m, 1600
// kg/m3 here, not the mean to the base (1800 kg/m3): 2 2 0.5 2500 + 2 2
// 0.5 1600 = 8200 kg, as the verification of the combinations weighs it.
TEST(ProjectSettlement, TheBackfillIsTheGroundAboveTheFooting) {
    DesignData design;
    SoilLayer fill;
    fill.thickness = 0.5;
    fill.gamma = 1600.0;
    fill.settlement = elasticGround().ground.settlement;
    SoilLayer sand = fill;
    sand.thickness = 5.0;
    sand.gamma = 2000.0;
    design.ground.layers = {fill, sand};
    design.actions = withSelfWeight(characteristic(50000));
    const ProjectSettlementOutcome o =
        settleProject(SettlementSettings{}, footing(), soil(), design);
    ASSERT_TRUE(o.ok()) << o.failure.message;
    EXPECT_DOUBLE_EQ(o.settlement->selfWeight, 8200.0);
}

TEST(ProjectSettlement, FailuresNameTheCombinationOrTheType) {
    DesignData design = elasticGround();
    ActionsData uls;
    uls.mode = ActionsMode::Combinations;
    uls.combinations = {{"SLU 1", CombinationType::ULS, {150000, 0, 0, 0, 0}, ""}};
    design.actions = uls;
    SettlementSettings settings;
    settings.combination = CombinationType::SLERare;
    ProjectSettlementOutcome o = settleProject(settings, footing(), soil(), design);
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.failure.message, "nessuna combinazione SLE rara tra le combinazioni del progetto: "
                                 "cedimento non calcolabile");

    design.actions = characteristic(50000);
    design.ground.settlement.nu.reset();
    o = settleProject(settings, footing(), soil(), design);
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.failure.value, "nu");
    EXPECT_EQ(
        o.failure.message.rfind(
            "combinazione \"SLE rara 1: G1 + G2 + Q + 0.6 Q\": strato \"terreno\": manca nu", 0),
        0u)
        << o.failure.message;
}

// The smallest width that also settles within the limit: wider than the
// bearing alone asks, and one centimetre less settles too much.
TEST(SettlementSizing, TheWidthAlsoKeepsTheSettlementWithinTheLimit) {
    const DesignData design = elasticGround();
    const design::Approach& approach = *design::findApproach("ntc2018");
    const design::SizingRule square{design::SizingRuleKind::Square, 1.0};
    GeometryData g = footing();
    SoilData s = soil();
    s.phi = 32.0;
    const design::GroundSizing bearing =
        design::sizeOnGround(approach, Meyerhof, g, s, design.ground, square);
    ASSERT_TRUE(bearing.B);

    SettlementSettings settings;
    settings.limit = 1.5;
    const design::SettlementSizing sized =
        design::sizeWithSettlement(approach, Meyerhof, g, s, design, square, settings);
    ASSERT_FALSE(sized.failure) << sized.failure->message;
    ASSERT_TRUE(sized.sizing.B && sized.settlement);
    EXPECT_GT(*sized.sizing.B, *bearing.B + 0.05);
    EXPECT_LE(sized.settlement->result().totalCm, 1.5);
    EXPECT_EQ(sized.settlement->footing.B, *sized.sizing.B);
    g.B = g.L = *sized.sizing.B - 0.01;
    const ProjectSettlementOutcome below = settleProject(settings, g, s, design);
    ASSERT_TRUE(below.ok());
    EXPECT_GT(below.settlement->result().totalCm, 1.5);

    settings.limit.reset();
    EXPECT_EQ(design::sizeWithSettlement(approach, Meyerhof, g, s, design, square, settings)
                  .failure->value,
              "limit");
}

} // namespace
} // namespace zolt::settlement
