// Throughput of the studies against the bare engine on the same inputs:
// a sweep point of one method against one engine call, a Monte Carlo
// sample (five lognormal draws and the engine) against one engine call,
// both on one thread; and the 10 000-point sweep of the four methods on
// every core, the size of a plot that follows the user's typing.
#include "bench/twenty_layers.h"
#include "design/monte_carlo.h"
#include "design/sizing.h"
#include "design/sweep.h"
#include "engine/bearing_capacity.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using namespace zolt;
using namespace zolt::design;

const GeometryData kGeometry{
    .B = 2, .L = 3, .D = 1, .alpha = 5, .omega = 5, .ex = 0.1, .ey = 0.1, .N = 50000, .T = 2000};
const SoilData kSoil{.gamma = 1800, .phi = 30, .delta = 20, .c = 0.1, .ca = 0.1};
constexpr std::size_t kPoints = 4096;

SweepSpec phiSweep(std::size_t count, unsigned methods) {
    return {findInputField("phi"), 20.0, 40.0, count, methods};
}

// The engine on the sweep's own inputs, one call per point.
void BM_EngineOverSweepInputs(benchmark::State& state, int method) {
    const SweepSpec study = phiSweep(kPoints, 1u << method);
    BearingResult result;
    for (auto _ : state) {
        for (std::size_t i = 0; i < kPoints; ++i) {
            SoilData s = kSoil;
            s.phi = sweepValue(study, i);
            benchmark::DoNotOptimize(
                computeBearing(method, kGeometry, s, result, &result.ultimateLoad));
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kPoints));
}

void BM_SweepOneMethod(benchmark::State& state, int method) {
    const SweepSpec study = phiSweep(kPoints, 1u << method);
    std::vector<SweepPoint> points(kPoints);
    for (auto _ : state) {
        computeSweepPoints(study, kGeometry, kSoil, nullptr, 0, kPoints, points.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kPoints));
}

void BM_EngineAtTheMean(benchmark::State& state, int method) {
    BearingResult result;
    SoilData s = kSoil;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(computeBearing(method, kGeometry, s, result, &result.ultimateLoad));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// The engine alone on the very soils the Monte Carlo run below draws, drawn
// beforehand: the bare call rate its throughput is held against.
void BM_EngineOverSampledSoils(benchmark::State& state, int method) {
    const MonteCarloSpec study{.samples = 65536, .seed = 1, .method = method,
                              .cov = {0.05, 0.1, 0.1, 0.3, 0.3}};
    std::vector<SoilData> soils(study.samples);
    for (std::size_t i = 0; i < soils.size(); ++i)
        soils[i] = sampleSoil(study, kSoil, i);
    BearingResult result;
    for (auto _ : state) {
        for (const SoilData& s : soils)
            benchmark::DoNotOptimize(
                computeBearing(method, kGeometry, s, result, &result.ultimateLoad));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * study.samples));
}

void BM_MonteCarloOneThread(benchmark::State& state, int method) {
    const MonteCarloSpec study{.samples = 65536, .seed = 1, .method = method,
                              .cov = {0.05, 0.1, 0.1, 0.3, 0.3}};
    for (auto _ : state)
        benchmark::DoNotOptimize(runMonteCarlo(study, kGeometry, kSoil, 1));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * study.samples));
}

void BM_Sweep10000FourMethods(benchmark::State& state) {
    const SweepSpec study = phiSweep(10000, 0xF);
    for (auto _ : state)
        benchmark::DoNotOptimize(runSweep(study, kGeometry, kSoil, nullptr));
}

void BM_MonteCarloMillionAllCores(benchmark::State& state) {
    const MonteCarloSpec study{.samples = 1000000, .seed = 1, .method = Meyerhof,
                              .cov = {0.05, 0.1, 0.1, 0.3, 0.3}};
    for (auto _ : state)
        benchmark::DoNotOptimize(runMonteCarlo(study, kGeometry, kSoil));
}

// Sizing on the 20-layer profile, the ground model evaluated at every
// width and both conditions verified (target: under 50 ms); with a shear no
// width holds, the whole grid.
void BM_SizingOnProfile(benchmark::State& state, double T) {
    const ProjectDocument project = bench::twentyLayers();
    GeometryData g = project.geometry;
    g.T = T;
    const Approach& ntc = *findApproach("ntc2018");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            sizeOnGround(ntc, Vesic, g, project.soil, project.design.ground, SizingRule{}));
}

double fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

#define ZOLT_PER_METHOD(bm)                                                                     \
    BENCHMARK_CAPTURE(bm, Terzaghi, Terzaghi)->ComputeStatistics("min", fastest);               \
    BENCHMARK_CAPTURE(bm, Meyerhof, Meyerhof)->ComputeStatistics("min", fastest);               \
    BENCHMARK_CAPTURE(bm, Hansen, Hansen)->ComputeStatistics("min", fastest);                   \
    BENCHMARK_CAPTURE(bm, Vesic, Vesic)->ComputeStatistics("min", fastest)

ZOLT_PER_METHOD(BM_EngineOverSweepInputs);
ZOLT_PER_METHOD(BM_SweepOneMethod);
ZOLT_PER_METHOD(BM_EngineAtTheMean);
ZOLT_PER_METHOD(BM_EngineOverSampledSoils);
ZOLT_PER_METHOD(BM_MonteCarloOneThread);
BENCHMARK(BM_Sweep10000FourMethods)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->ComputeStatistics("min", fastest);
BENCHMARK(BM_MonteCarloMillionAllCores)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_SizingOnProfile, Found, 15000.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SizingOnProfile, WholeGrid, 9999999.0)->Unit(benchmark::kMillisecond);

} // namespace
