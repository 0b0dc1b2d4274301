// The project data file: 112 bytes, GeometryData (72) then SoilData (40),
// fourteen little-endian IEEE 754 doubles in record order, no header.
#pragma once

#include "model/records.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace zolt {

constexpr std::size_t kGeometryBlockSize = 9 * 8;
constexpr std::size_t kSoilBlockSize = 5 * 8;
constexpr std::size_t kDataFileSize = kGeometryBlockSize + kSoilBlockSize;

// Shown for every failure to open a data file or to write one or the report.
inline constexpr const char* kOpenErrorText = "Errore nell'apertura del file !!";
// Heads the reason of a data file that opens but holds no valid project.
inline constexpr const char* kInvalidDataText = "Il file non contiene dati validi";

using DataFileImage = std::array<unsigned char, kDataFileSize>;

// The exact bytes of a data file, whatever the host's byte order.
DataFileImage encodeDataFile(const GeometryData& geometry, const SoilData& soil);
void decodeDataFile(const DataFileImage& image, GeometryData& geometry, SoilData& soil);

// What reading a data file came to.
struct DataFileRead {
    enum class Outcome { Loaded, NotOpened, Invalid };
    Outcome outcome = Outcome::Loaded;
    // NotOpened: why, as fileErrorText gives it; Invalid: what is wrong
    // ("B = -2.00 fuori dall'intervallo 0.10–99.90").
    std::string reason;

    explicit operator bool() const { return outcome == Outcome::Loaded; }
    // The text of the message box: kOpenErrorText for a file that cannot
    // be opened, kInvalidDataText and the reason for one that is invalid.
    std::string messageText() const;
};

// Replaces `geometry` and `soil` with the contents of the file at `path`.
// Refused, with both records as they were: a file that cannot be opened or
// read, one that is not a regular file (a FIFO is refused at once, not
// waited on), one that is not exactly 112 bytes long, and one whose values
// the input dialogs would refuse: not finite, outside a field's range, or a
// width B greater than the length L.
DataFileRead readDataFile(const std::string& path, GeometryData& geometry, SoilData& soil);

// The first value of the two records that the input dialogs would refuse,
// in record order, then B > L; nothing when all are valid.
std::optional<std::string> recordsProblem(const GeometryData& geometry, const SoilData& soil);

// Writes the 112 bytes through the save routine of model/file_io.h, which
// says what each of its routes promises. Any values, valid or not.
bool writeDataFile(const std::string& path, const GeometryData& geometry, const SoilData& soil);

// The same on the process-wide records; a write that fails means: show
// kOpenErrorText.
DataFileRead ReadDataFile(const std::string& path);
bool WriteDataFile(const std::string& path);

} // namespace zolt
