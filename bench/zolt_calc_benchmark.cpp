// Whole runs of zolt-calc, process start included, as a user who scripts
// the calculator meets them: the plain analysis, sizing over the whole
// width grid, a million-sample probabilistic analysis, the analysis with
// the full report as PDF, and a 20-layer project verified and sized in both
// conditions (targets: under 20 ms median for the verification, under 50 ms
// for the sizing), the settlement of the three-layer example, and a project
// of ten actions with every combination verified (each under 20 ms median).
// Output goes to /dev/null.
#include "bench/twenty_layers.h"
#include "model/project_file.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#ifndef ZOLT_CALC_PATH
#error "ZOLT_CALC_PATH must name the zolt-calc binary"
#endif
#ifndef ZOLT_EXAMPLES_DIR
#error "ZOLT_EXAMPLES_DIR must name the folder of the example projects"
#endif

namespace {

int runZoltCalc(const std::vector<std::string>& args) {
    std::vector<std::string> copies = args;
    std::string program = ZOLT_CALC_PATH;
    std::vector<char*> argv{program.data()};
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

// `exitCode` is the answer the run must give (4: no width verifies).
void BM_ZoltCalc(benchmark::State& state, int exitCode, std::vector<std::string> args) {
    for (auto _ : state) {
        // A run that fails fast would time the failure, not the work.
        if (const int status = runZoltCalc(args); !WIFEXITED(status) || WEXITSTATUS(status) != exitCode) {
            state.SkipWithError("zolt-calc did not give the expected exit code");
            break;
        }
    }
}

constexpr const char* kProject = "/tmp/zolt-calc-benchmark-20-layers.zolt";

// The same on the 20-layer project, written first.
void BM_ZoltCalcProject(benchmark::State& state, int exitCode, std::vector<std::string> args) {
    std::string error;
    if (!zolt::writeProjectFile(kProject, zolt::bench::twentyLayers(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    args.insert(args.begin(), kProject);
    BM_ZoltCalc(state, exitCode, std::move(args));
}

constexpr const char* kActionsProject = "/tmp/zolt-calc-benchmark-10-actions.zolt";

// A footing under ten actions (two G1, two G2, five Q, one E) on a seismic
// site, with its self-weight: 24 ULS, 2 SLV and 11 SLE combinations.
zolt::ProjectDocument tenActions() {
    using namespace zolt;
    ProjectDocument d;
    d.geometry = {2.0, 2.4, 1.2, 0, 0, 0, 0, 90000, 4000};
    d.soil = {1900, 31, 21, 0.05, 0};
    d.analysis = {Vesic, 3.0};
    ActionsData a;
    const auto action = [](const char* name, ActionKind kind, VariableCategory category,
                           BaseForces forces) {
        return Action{name, kind, category, forces, ""};
    };
    using enum VariableCategory;
    a.characteristic = {action("Pilastro", ActionKind::G1, A, {30000, 0, 0, 0, 0}),
                        action("Trave", ActionKind::G1, A, {8000, 0, 0, 600, 0}),
                        action("Solaio", ActionKind::G2, A, {9000, 0, 0, 400, 0}),
                        action("Tamponature", ActionKind::G2, A, {4000, 0, 0, 0, 300}),
                        action("Uffici", ActionKind::Q, B, {12000, 0, 0, 900, 0}),
                        action("Archivio", ActionKind::Q, E, {5000, 0, 0, 0, 400}),
                        action("Copertura", ActionKind::Q, H, {1000, 0, 0, 0, 0}),
                        action("Neve", ActionKind::Q, SnowLow, {4000, 0, 0, 0, 0}),
                        action("Vento", ActionKind::Q, Wind, {-1500, 2500, 0, 3000, 0}),
                        action("Sisma", ActionKind::E, A, {2000, 7000, 2100, 9500, 2800})};
    a.selfWeight = SelfWeight{0.6, 2500, std::nullopt};
    d.design.actions = a;
    d.design.seismic = SeismicData{};
    return d;
}

void BM_ZoltCalcActions(benchmark::State& state, int exitCode, std::vector<std::string> args) {
    std::string error;
    if (!zolt::writeProjectFile(kActionsProject, tenActions(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    args.insert(args.begin(), kActionsProject);
    BM_ZoltCalc(state, exitCode, std::move(args));
}

// Run with --benchmark_repetitions=N for the median the targets speak of
// (Google Benchmark reports it among the aggregates).
BENCHMARK_CAPTURE(BM_ZoltCalc, Analysis, 0, std::vector<std::string>{"B=2", "L=3"})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
// No width verifies: the whole grid of 9981 widths is scanned.
BENCHMARK_CAPTURE(BM_ZoltCalc, SizingWholeGrid, 4,
                  std::vector<std::string>{"--verify", "ntc2018", "--size", "square", "N=10000",
                                           "T=3500"})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ZoltCalc, MonteCarloMillion, 0,
                  std::vector<std::string>{"--monte-carlo", "1000000", "--cov",
                                           "gamma=0.05,phi=0.1,delta=0.1,c=0.3,ca=0.3", "c=0.1",
                                           "ca=0.1", "N=50000"})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ZoltCalc, FullReportPdf, 0,
                  std::vector<std::string>{"--pdf", "/tmp/zolt-calc-benchmark.pdf", "--verify", "ntc2018",
                                           "--method", "hansen", "B=2", "L=3", "N=100000",
                                           "T=5000", "c=0.1", "ca=0.1", "alpha=5", "omega=5",
                                           "ex=0.1", "ey=0.1"})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
// The undrained condition fails on the project's own footing.
BENCHMARK_CAPTURE(BM_ZoltCalcProject, Project20LayersVerify, 4,
                  std::vector<std::string>{"--verify", "ec7-da1"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ZoltCalcProject, Project20LayersVerifyJson, 4,
                  std::vector<std::string>{"--verify", "ec7-da1", "--json"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ZoltCalcProject, Project20LayersSizing, 0,
                  std::vector<std::string>{"--verify", "ntc2018", "--size", "square"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// No width holds this shear: the ground model of each of the 9981 widths.
// The analysis' pre-check refuses it too (exit 2), after the sizing ran.
BENCHMARK_CAPTURE(BM_ZoltCalcProject, Project20LayersSizingWholeGrid, 2,
                  std::vector<std::string>{"--verify", "ntc2018", "--size", "square", "T=9999999"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// The example's oedometric settlement with its 101-point profile, as text
// and as JSON with every array.
BENCHMARK_CAPTURE(BM_ZoltCalc, ThreeLayersSettlement, 0,
                  std::vector<std::string>{ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt",
                                           "--settlement"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ZoltCalc, ThreeLayersSettlementJson, 0,
                  std::vector<std::string>{ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt",
                                           "--settlement", "--json"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Every combination of the ten actions verified (target: under 20 ms
// median), as text and as JSON.
BENCHMARK_CAPTURE(BM_ZoltCalcActions, TenActionsVerify, 0,
                  std::vector<std::string>{"--verify", "ntc2018"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ZoltCalcActions, TenActionsVerifyJson, 0,
                  std::vector<std::string>{"--verify", "ntc2018", "--json"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
