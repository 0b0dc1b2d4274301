// The project data file: 112 bytes, GeometryData (72) then SoilData (40),
// fourteen little-endian IEEE 754 doubles in record order, no header.
#pragma once

#include "model/records.h"

#include <array>
#include <cstddef>
#include <string>

namespace zolt {

constexpr std::size_t kGeometryBlockSize = 9 * 8;
constexpr std::size_t kSoilBlockSize = 5 * 8;
constexpr std::size_t kDataFileSize = kGeometryBlockSize + kSoilBlockSize;

// Shown for every failure to read or write a data file or the report.
inline constexpr const char* kOpenErrorText = "Errore nell'apertura del file !!";

using DataFileImage = std::array<unsigned char, kDataFileSize>;

// The exact bytes of a data file, whatever the host's byte order.
DataFileImage encodeDataFile(const GeometryData& geometry, const SoilData& soil);
void decodeDataFile(const DataFileImage& image, GeometryData& geometry, SoilData& soil);

// Replaces `geometry` and `soil` with the contents of the file at `path`.
// A file that cannot be read or holds fewer than 112 bytes is refused and
// both records stay as they were; a longer file gives its first 112 bytes.
// Values are taken unchanged, also those the dialogs would refuse.
bool readDataFile(const std::string& path, GeometryData& geometry, SoilData& soil);

// Writes the 112 bytes, replacing the file only once they are all on disk.
bool writeDataFile(const std::string& path, const GeometryData& geometry, const SoilData& soil);

// The same on the process-wide records; false means: show kOpenErrorText.
bool ReadDataFile(const std::string& path);
bool WriteDataFile(const std::string& path);

} // namespace zolt
