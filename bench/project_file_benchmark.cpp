// Opening and saving a project of 20 layers with a water table, as the
// window program and zolt-calc do it: the file read, parsed and checked;
// the text written and saved through the save routine (flushed to disk).
// Target: under 5 ms each. The save routine flushes the file and its
// folder to disk, which on a real disk costs more than all the rest: the
// same save of a 112-byte data file shows that floor.
#include "bench/twenty_layers.h"
#include "model/file_io.h"
#include "model/project_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

using namespace zolt;

using bench::twentyLayers;

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
