// The verification of every load combination and the sizing for all of
// them: 100 combinations (80 ULS, 20 SLV with the kinematic effect) on a
// fill, a clay and a sand, the water in the clay: both conditions at every one (targets: under 1 ms
// for the verification, under 100 ms for the sizing).
#include "design/combinations_verification.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace zolt;
using namespace zolt::design;

const GeometryData kFooting{.B = 2.5, .L = 3, .D = 1.2, .N = 90000, .T = 4000};
const SoilData kSoil{.gamma = 1850, .phi = 30, .delta = 20, .c = 0, .ca = 0};

GroundData threeLayers() {
    GroundData g;
    g.waterTable = 2.0;
    g.layers = {{"Riporto", 1.0, 1700, 1900, 28, 18, 0, 0, 0, {}, ""},
                {"Argilla", 12, 1900, 2000, 24, 16, 0.1, 0.05, 0.8, {}, ""},
                {"Sabbia", 10, 1900, 2050, 33, 22, 0, 0, 0, {}, ""}};
    return g;
}

ActionsData hundredCombinations() {
    ActionsData a;
    a.mode = ActionsMode::Combinations;
    for (int i = 0; i < 100; ++i) {
        const bool seismic = i >= 80;
        const double k = 1.0 + (i % 10) * 0.05;
        a.combinations.push_back(
            {"C" + std::to_string(i + 1),
             seismic ? CombinationType::SLV : CombinationType::ULS,
             {70000 * k, (seismic ? 6000 : 2500) * k, 800 * k, 4000 * k, 1500 * k},
             ""});
    }
    a.selfWeight = SelfWeight{0.6, 2500, std::nullopt};
    return a;
}

SeismicData site() {
    SeismicData s;
    s.agOverG = 0.2;
    return s;
}

void BM_VerifyHundredCombinations(benchmark::State& state) {
    const GroundData ground = threeLayers();
    const ActionsData actions = hundredCombinations();
    const SeismicData seismic = site();
    for (auto _ : state) {
        const CombinationsVerification v = verifyCombinations(
            *findApproach("ntc2018"), Hansen, kFooting, kSoil, ground, actions, seismic);
        if (v.checks.size() != 100 || !v.checks.front().verification->undrained) {
            state.SkipWithError("not 100 combinations in two conditions");
            break;
        }
        benchmark::DoNotOptimize(v.verified);
    }
}

void BM_SizeHundredCombinations(benchmark::State& state) {
    const GroundData ground = threeLayers();
    const ActionsData actions = hundredCombinations();
    const SeismicData seismic = site();
    const SizingRule rule{SizingRuleKind::Ratio, 1.2};
    for (auto _ : state) {
        const CombinationsSizing s = sizeCombinations(*findApproach("ntc2018"), Hansen, kFooting,
                                                      kSoil, ground, actions, seismic, rule);
        if (!s.B) {
            state.SkipWithError("no width found");
            break;
        }
        state.counters["B"] = *s.B;
    }
}

// No width holds one combination that lifts the footing: every width of
// the grid is tried.
void BM_SizeHundredCombinationsWholeGrid(benchmark::State& state) {
    const GroundData ground = threeLayers();
    ActionsData actions = hundredCombinations();
    actions.selfWeight.reset();
    actions.combinations[50].forces.N = -1000;
    const SeismicData seismic = site();
    const SizingRule rule{SizingRuleKind::Ratio, 1.2};
    for (auto _ : state) {
        const CombinationsSizing s = sizeCombinations(*findApproach("ntc2018"), Hansen, kFooting,
                                                      kSoil, ground, actions, seismic, rule);
        if (s.B) {
            state.SkipWithError("a width was found");
            break;
        }
    }
}

BENCHMARK(BM_VerifyHundredCombinations)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SizeHundredCombinations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SizeHundredCombinationsWholeGrid)->Unit(benchmark::kMillisecond);

} // namespace
