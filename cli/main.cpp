// zolt-calc's entry: runs the command line, then writes its outputs in an
// order that never leaves a file behind a failed run. The files are
// prepared first (a file that cannot be written stops the run before
// anything is printed), the standard output goes next, and the files appear
// only once it went through. A closed standard stream is /dev/null opened
// for reading: printing to it fails, and the run with it.
#include "cli/calc.h"
#include "cli/document_module.h"
#include "model/file_io.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

bool writeAll(std::FILE* stream, const std::string& text) {
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stream) != text.size())
        return false;
    return std::fflush(stream) == 0;
}

int finish(const zolt::cli::CalcRun& run) {
    using namespace zolt::cli;
    std::vector<zolt::StagedFile> staged;
    for (const OutputFile& file : run.files) {
        int error = 0;
        auto prepared = zolt::StagedFile::prepare(file.path, file.bytes, &error);
        if (!prepared) {
            writeAll(stderr,
                     openErrorLine(file.path, zolt::fileErrorText(error, zolt::FileAccess::Write)));
            return kExitBadInput;
        }
        staged.push_back(std::move(*prepared));
    }
    if (!writeAll(stdout, run.out)) {
        writeAll(stderr, "zolt-calc: impossibile scrivere sull'uscita standard\n");
        return kExitBadInput; // the prepared files vanish with `staged`
    }
    writeAll(stderr, run.err);
    // The saves written in place first: they write their bytes only now and
    // may still fail (a full disk), and then no replaced file has appeared.
    for (const bool inPlace : {true, false})
        for (std::size_t i = 0; i < staged.size(); ++i) {
            if (staged[i].inPlace() != inPlace)
                continue;
            int error = 0;
            if (!staged[i].commit(&error)) {
                writeAll(stderr,
                         openErrorLine(run.files[i].path,
                                       zolt::fileErrorText(error, zolt::FileAccess::Write)));
                return kExitBadInput;
            }
        }
    return run.exitCode;
}

} // namespace

int main(int argc, char** argv) {
    // Before any file is opened: a file that got descriptor 1 would receive
    // the standard output's bytes.
    if (!zolt::openClosedStandardStreams())
        return zolt::cli::kExitBadInput;
    const std::vector<std::string> args(argv + 1, argv + argc);
    return finish(zolt::cli::runCalc(args, zolt::cli::renderWithDocumentModule));
}
