// Cost of one engine run per method, against a baseline per method that
// makes only the transcendental calls that method makes on the same input.
// The engine's own arithmetic, clearing and record keeping is the rest.
#include "engine/bearing_capacity.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using namespace zolt;

// A typical analysis: a rectangle under a slightly inclined, eccentric
// load, a little slope and tilt, cohesion and adhesion.
const GeometryData kGeometry{
    .B = 2, .L = 3, .D = 1, .alpha = 5, .omega = 5, .ex = 0.1, .ey = 0.1, .N = 50000, .T = 2000};
const SoilData kSoil{.gamma = 1800, .phi = 30, .delta = 20, .c = 0.1, .ca = 0.1};

void BM_Engine(benchmark::State& state, std::int32_t method) {
    GeometryData geometry = kGeometry;
    SoilData soil = kSoil;
    BearingResult result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(geometry);
        benchmark::DoNotOptimize(soil);
        int status = computeBearing(method, geometry, soil, result, &result.ultimateLoad);
        benchmark::DoNotOptimize(status);
        benchmark::ClobberMemory();
    }
}

// Arguments of the typical input's transcendental calls, rad or plain.
struct Args {
    double phiR = 0.5235987755982988;     // 30 deg
    double kpAngle = 1.0471975511965976;  // 45 deg + phi/2
    double piTanPhi = 1.8137993642342178; // pi tan(phi)
    double loadRatio = 0.04;              // T/N
    double terzaghiExp = 1.6;             // (3 pi/4 - phi/2) tan(phi)
    double terzaghiCos = 1.0471975511965976;
    double meyerhofAngle = 0.7330382858376184; // 1.4 phi
    double kp = 3.0;
    double base = 0.93;    // 1 - x of the inclination factors
    double exponent = 1.6; // Vesic's m
    double omegaR = 0.08726646259971647;
    double tilt = -0.1; // exponents of Hansen's tilt factors
};

void keep(double v) {
    benchmark::DoNotOptimize(v);
}

void commonCalls(const Args& a) {
    keep(std::tan(a.phiR));
    keep(std::tan(a.kpAngle));
    keep(std::exp(a.piTanPhi));
    keep(std::atan(a.loadRatio));
}

void terzaghiCalls(const Args& a) {
    commonCalls(a);
    keep(std::exp(a.terzaghiExp));
    keep(std::cos(a.terzaghiCos));
}

void meyerhofCalls(const Args& a) {
    commonCalls(a);
    keep(std::tan(a.meyerhofAngle));
    keep(std::sqrt(a.kp));
}

void hansenCalls(const Args& a) {
    commonCalls(a);
    keep(std::sin(a.phiR));
    keep(std::pow(a.base, 5.0));
    keep(std::pow(a.base, 5.0));
    keep(std::tan(a.omegaR));
    keep(std::pow(a.base, 5.0));
    keep(std::exp(a.tilt));
    keep(std::exp(a.tilt));
}

void vesicCalls(const Args& a) {
    commonCalls(a);
    keep(std::sin(a.phiR));
    keep(std::pow(a.base, a.exponent));
    keep(std::pow(a.base, a.exponent + 1.0));
    keep(std::tan(a.omegaR));
}

void BM_Baseline(benchmark::State& state, void (*calls)(const Args&)) {
    Args args;
    for (auto _ : state) {
        benchmark::DoNotOptimize(args);
        calls(args);
        benchmark::ClobberMemory();
    }
}

// On a shared machine the fastest of several repetitions is the figure
// least disturbed by other work; run with --benchmark_repetitions=N.
double fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

BENCHMARK_CAPTURE(BM_Engine, Terzaghi, Terzaghi)->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Baseline, Terzaghi, terzaghiCalls)->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Engine, Meyerhof, Meyerhof)->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Baseline, Meyerhof, meyerhofCalls)->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Engine, Hansen, Hansen)->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Baseline, Hansen, hansenCalls)->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Engine, Vesic, Vesic)->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Baseline, Vesic, vesicCalls)->ComputeStatistics("min", fastest);

} // namespace
