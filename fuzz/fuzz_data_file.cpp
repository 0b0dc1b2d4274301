// The data-file reader on any file, and what the program does next with
// the records it loaded: the pre-checks, the four methods and the report.
//
// Input: the file's contents. It is read through the file system, as the
// program reads it, from an in-memory file. Only 112 bytes of values the
// input dialogs accept load; anything else leaves the records as they were.
#include "engine/bearing_capacity.h"
#include "fuzz/fuzz_support.h"
#include "model/data_file.h"
#include "workflow/input_checks.h"
#include "workflow/report.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h> // memfd_create
#include <unistd.h>

using namespace zolt;

namespace {

// Records no file in the corpus holds, so that "left as they were" shows.
constexpr GeometryData kUntouchedGeometry{-1, -2, -3, -4, -5, -6, -7, -8, -9};
constexpr SoilData kUntouchedSoil{-10, -11, -12, -13, -14};

const std::string& scratchPath(int& fd) {
    static int scratch = memfd_create("zolt-fuzz.dat", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(scratch);
    fd = scratch;
    return path;
}

bool holds(int fd, const std::uint8_t* data, std::size_t size) {
    if (ftruncate(fd, 0) != 0)
        return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool sameImage(const DataFileImage& image, const std::uint8_t* data) {
    return std::equal(image.begin(), image.end(), data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int fd = -1;
    const std::string& path = scratchPath(fd);
    ZOLT_FUZZ_CHECK(fd >= 0 && holds(fd, data, size));

    GeometryData geometry = kUntouchedGeometry;
    SoilData soil = kUntouchedSoil;
    const DataFileRead read = readDataFile(path, geometry, soil);
    // Loaded exactly when the file is 112 bytes of values the dialogs take.
    bool valid = size == kDataFileSize;
    if (valid) {
        DataFileImage image{};
        std::copy(data, data + kDataFileSize, image.begin());
        GeometryData g;
        SoilData s;
        decodeDataFile(image, g, s);
        valid = !recordsProblem(g, s);
    }
    ZOLT_FUZZ_CHECK(static_cast<bool>(read) == valid);
    ZOLT_FUZZ_CHECK(read.outcome != DataFileRead::Outcome::NotOpened);
    if (!read) {
        ZOLT_FUZZ_CHECK(read.messageText().starts_with(kInvalidDataText));
        ZOLT_FUZZ_CHECK(encodeDataFile(geometry, soil) ==
                        encodeDataFile(kUntouchedGeometry, kUntouchedSoil));
        return 0;
    }
    // Bit for bit what the file holds, NaN payloads and signed zeros too.
    ZOLT_FUZZ_CHECK(sameImage(encodeDataFile(geometry, soil), data));

    const InputCheckMask mask = checkInputs(geometry, soil);
    ZOLT_FUZZ_CHECK(mask >= 0 && mask < (1 << kInputCheckCount));
    const std::string messages = inputCheckText(mask);
    ZOLT_FUZZ_CHECK(std::count(messages.begin(), messages.end(), '\n') ==
                    __builtin_popcount(static_cast<unsigned>(mask)));
    if (mask != 0)
        return 0;
    for (std::int32_t method = Terzaghi; method <= Vesic; ++method) {
        BearingResult result;
        const int status = computeBearing(method, geometry, soil, result, &result.ultimateLoad);
        ZOLT_FUZZ_CHECK(status == kEngineOk || status == kEngineFailed);
        if (status == kEngineOk)
            ZOLT_FUZZ_CHECK(!reportText({method, 3.0}, geometry, result).empty());
    }
    return 0;
}
