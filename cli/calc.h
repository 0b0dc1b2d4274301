// zolt-calc as a function: the whole run on a command line, with every
// output it would produce kept in memory. Nothing is written here, so the
// caller decides when the files may appear (only after the standard
// output went through) and tests and fuzzers can run it in-process.
#pragma once

#include "document/report_request.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolt::cli {

enum ExitCode {
    kExitOk = 0,
    kExitEngineFailed = 1, // the method found no meaningful load ("Errore")
    kExitRefused = 2,      // the pre-checks refused the inputs
    kExitBadInput = 3,     // the command line, a file or an output failed
    kExitNotVerified = 4,  // the verification does not hold, or sizing found no width
};

struct OutputFile {
    std::string path;
    std::string bytes;
};

struct CalcRun {
    int exitCode = kExitOk;
    std::string out;                // for the standard output
    std::string err;                // for the standard error
    std::vector<OutputFile> files;  // to write, in order, only when exitCode is 0
};

// Makes the bytes of the full calculation report; none when it cannot.
using ReportRenderer = std::function<std::optional<std::string>(
    const document::ReportRequest& request, document::ReportFormat format)>;

// Runs zolt-calc on `args` (without the program name). Reads the project
// file named on the command line, if any; writes nothing. `renderer` makes
// the documents of --pdf and --odt (without one they are refused).
CalcRun runCalc(const std::vector<std::string>& args, const ReportRenderer& renderer = {});

// The line on standard error for an output file that cannot be written,
// with the reason (fileErrorText).
std::string openErrorLine(const std::string& path, const std::string& reason);

// `text` as a message may show it on a terminal: control characters (C0,
// DEL, C1) and bytes that are no UTF-8 as \xNN, so that an argument's
// escape sequences are never sent raw.
std::string shownOnTerminal(std::string_view text);

} // namespace zolt::cli
