// Opening and saving a project of 20 layers with a water table, as the
// window program and zolt-calc do it: the file read, parsed and checked;
// the text written and saved through the save routine (flushed to disk).
// Target: under 5 ms each. The save routine flushes the file and its
// folder to disk, which on a real disk costs more than all the rest: the
// same save of a 112-byte data file shows that floor.
#include "model/file_io.h"
#include "model/project_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

using namespace zolt;

ProjectDocument twentyLayers() {
    ProjectDocument d;
    d.geometry = {2.5, 3.0, 1.5, 0.0, 0.0, 0.1, 0.05, 260000.0, 15000.0};
    d.design.info = {"Plinto P1", "Committente", "Località", "Progettista", "Note sul progetto."};
    d.design.ground.waterTable = 2.3;
    for (int i = 0; i < 20; ++i)
        d.design.ground.layers.push_back({"Strato " + std::to_string(i + 1), 0.75 + 0.01 * i,
                                          1700.0 + 7.5 * i, 1900.0 + 9.25 * i, 24.0 + 0.5 * i,
                                          16.0 + 0.25 * i, 0.01 * (i % 4), 0.005 * (i % 4),
                                          0.1 * (i % 3), {}, ""});
    return d;
}

std::string scratch(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("zolt-project-bench-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

void BM_OpenProject20Layers(benchmark::State& state) {
    const std::string file = scratch("open.zolt");
    std::string error;
    if (!writeProjectFile(file, twentyLayers(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        ProjectDocument document;
        if (!readProjectFile(file, document, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(document);
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_OpenProject20Layers)->Unit(benchmark::kMicrosecond);

void BM_SaveProject20Layers(benchmark::State& state) {
    const std::string file = scratch("save.zolt");
    const ProjectDocument document = twentyLayers();
    std::string error;
    for (auto _ : state)
        if (!writeProjectFile(file, document, error))
            state.SkipWithError(error.c_str());
    std::filesystem::remove(file);
}
BENCHMARK(BM_SaveProject20Layers)->Unit(benchmark::kMicrosecond);

void BM_SaveRoutine112Bytes(benchmark::State& state) {
    const std::string file = scratch("save.dat");
    const std::string bytes(112, '\0');
    for (auto _ : state)
        if (!replaceFileContents(file, bytes))
            state.SkipWithError("save failed");
    std::filesystem::remove(file);
}
BENCHMARK(BM_SaveRoutine112Bytes)->Unit(benchmark::kMicrosecond);

// The text alone, without the file system: what a save costs before the
// disk.
void BM_ProjectText20Layers(benchmark::State& state) {
    const ProjectDocument document = twentyLayers();
    for (auto _ : state)
        benchmark::DoNotOptimize(projectText(document));
}
BENCHMARK(BM_ProjectText20Layers)->Unit(benchmark::kMicrosecond);

} // namespace
