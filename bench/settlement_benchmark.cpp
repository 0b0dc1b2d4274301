// Each settlement method on a ten-layer profile with a water table, the
// whole computation a window or zolt-calc asks for: the depth of
// influence, the layers, the plot's arrays. Target: under 0.5 ms each.
#include "ground/ground_model.h"
#include "settlement/settlement.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace zolt;
using namespace zolt::settlement;

// Ten layers of 0.8 m, soft and stiff in turn, each with every value any
// method reads, and the last one Cc-less so that the oedometric method
// uses both of its rules; water at 1.5 m.
ground::Profile tenLayers() {
    GroundData g;
    g.waterTable = 1.5;
    for (int i = 0; i < 10; ++i) {
        SoilLayer l;
        l.name = "strato " + std::to_string(i + 1);
        l.thickness = 0.8;
        l.gamma = 1750 + 20 * i;
        l.gammaSat = 1950 + 20 * i;
        const bool soft = i % 2 == 0;
        l.settlement.E = soft ? 60 : 220;
        l.settlement.nu = soft ? 0.35 : 0.25;
        l.settlement.Eoed = soft ? 80 : 300;
        if (i < 9) {
            l.settlement.Cc = soft ? 0.25 : 0.08;
            l.settlement.Cr = soft ? 0.05 : 0.015;
            l.settlement.e0 = soft ? 0.95 : 0.6;
            l.settlement.sigmaP = 0.4;
        }
        l.settlement.Nspt = soft ? 8 : 25;
        g.layers.push_back(l);
    }
    return ground::buildProfile(g, SoilData{});
}

void BM_Settlement(benchmark::State& state, SettlementMethod method) {
    const ground::Profile profile = tenLayers();
    const Footing footing{2.0, 3.0, 1.2, 20000.0 * 6.0};
    for (auto _ : state)
        benchmark::DoNotOptimize(computeSettlement(method, profile, footing, 10.0, 2.5));
}

double fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

BENCHMARK_CAPTURE(BM_Settlement, Elastic, SettlementMethod::Elastic)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Settlement, Oedometric, SettlementMethod::Oedometric)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Settlement, Schmertmann, SettlementMethod::Schmertmann)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_Settlement, BurlandBurbidge, SettlementMethod::BurlandBurbidge)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", fastest);

} // namespace
