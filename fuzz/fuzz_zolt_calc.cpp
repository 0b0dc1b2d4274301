// zolt-calc's whole run on any command line, in-process and writing nothing.
//
// Input: the arguments, separated by NUL bytes. The argument "@project"
// stands for a whole project file and "@short" for one a byte short, both
// in-memory files made once per process.
#include "cli/calc.h"
#include "cli/options.h"
#include "fuzz/fuzz_support.h"
#include "model/data_file.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <sys/mman.h> // memfd_create
#include <unistd.h>

using namespace zolt;

namespace {

// The studies repeat one analysis per sample or point: a few hundred cover
// their code, where millions would make a single input take minutes.
constexpr std::size_t kMaxRepeats = 300;

struct Fixtures {
    std::string project;
    std::string shortProject;
};

// An in-memory file holding `bytes`, by a path any open() takes.
std::string scratchFile(const char* name, const std::string& bytes) {
    const int fd = memfd_create(name, 0);
    ZOLT_FUZZ_CHECK(fd >= 0);
    ZOLT_FUZZ_CHECK(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    return "/proc/self/fd/" + std::to_string(fd);
}

const Fixtures& fixtures() {
    static const Fixtures files = [] {
        const GeometryData geometry{2, 3, 1.5, 5, 3, 0.1, 0.2, 50000, 8000};
        const SoilData soil{1900, 28, 18, 0.1, 0.05};
        const DataFileImage image = encodeDataFile(geometry, soil);
        const std::string bytes(image.begin(), image.end());
        return Fixtures{scratchFile("project.dat", bytes),
                        scratchFile("short.dat", bytes.substr(1))};
    }();
    return files;
}

std::vector<std::string> splitArguments(std::string_view input) {
    std::vector<std::string> args;
    if (input.empty())
        return args;
    for (std::size_t start = 0;;) {
        const std::size_t nul = input.find('\0', start);
        std::string arg(input.substr(start, nul - start));
        if (arg == "@project")
            arg = fixtures().project;
        else if (arg == "@short")
            arg = fixtures().shortProject;
        args.push_back(std::move(arg));
        if (nul == std::string_view::npos)
            return args;
        start = nul + 1;
    }
}

// Whether the run may go ahead: a project file is one of the fixtures or
// none at all (a device or a pipe might block the read), and the studies
// stay small.
bool runnable(const std::vector<std::string>& args) {
    cli::Options options;
    if (cli::parseArguments(args, options))
        return true; // refused before anything is read or computed
    if (options.projectPath && *options.projectPath != fixtures().project &&
        *options.projectPath != fixtures().shortProject) {
        std::error_code error;
        if (std::filesystem::exists(*options.projectPath, error) || error)
            return false;
    }
    if (options.monteCarlo && options.monteCarlo->samples > kMaxRepeats)
        return false;
    if (options.sweep && options.sweep->count > kMaxRepeats)
        return false;
    return true;
}

bool sameRun(const cli::CalcRun& a, const cli::CalcRun& b) {
    if (a.exitCode != b.exitCode || a.out != b.out || a.err != b.err ||
        a.files.size() != b.files.size())
        return false;
    for (std::size_t i = 0; i < a.files.size(); ++i)
        if (a.files[i].path != b.files[i].path || a.files[i].bytes != b.files[i].bytes)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto args = splitArguments({reinterpret_cast<const char*>(data), size});
    if (!runnable(args))
        return -1; // not worth keeping in the corpus either

    const cli::CalcRun run = cli::runCalc(args);
    ZOLT_FUZZ_CHECK(run.exitCode >= cli::kExitOk && run.exitCode <= cli::kExitNotVerified);
    // Files only of a run that went through.
    ZOLT_FUZZ_CHECK(run.exitCode == cli::kExitOk || run.files.empty());
    switch (run.exitCode) {
    case cli::kExitOk:
        ZOLT_FUZZ_CHECK(run.err.empty());
        break;
    case cli::kExitEngineFailed:
        ZOLT_FUZZ_CHECK(run.err == "Errore\n");
        break;
    case cli::kExitBadInput:
        ZOLT_FUZZ_CHECK(run.out.empty() && run.err.starts_with("zolt-calc: ") &&
                        run.err.ends_with("\n"));
        break;
    default:
        break;
    }
    for (const cli::OutputFile& file : run.files)
        ZOLT_FUZZ_CHECK(!file.path.empty());

    // Nothing of one run leaks into the next.
    ZOLT_FUZZ_CHECK(sameRun(run, cli::runCalc(args)));
    return 0;
}
