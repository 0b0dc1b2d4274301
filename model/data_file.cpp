#include "model/data_file.h"

#include "model/file_io.h"
#include "model/project.h"

#include <bit>
#include <cstdint>

namespace zolt {

namespace {

// Field order of the two blocks, which is the file order.
constexpr double GeometryData::*kGeometryFields[] = {
    &GeometryData::B,  &GeometryData::L,  &GeometryData::D,
    &GeometryData::alpha, &GeometryData::omega, &GeometryData::ex,
    &GeometryData::ey, &GeometryData::N,  &GeometryData::T,
};
constexpr double SoilData::*kSoilFields[] = {
    &SoilData::gamma, &SoilData::phi, &SoilData::delta, &SoilData::c, &SoilData::ca,
};
static_assert(sizeof(kGeometryFields) / sizeof(kGeometryFields[0]) * 8 == kGeometryBlockSize);
static_assert(sizeof(kSoilFields) / sizeof(kSoilFields[0]) * 8 == kSoilBlockSize);

void putDouble(unsigned char* out, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

double getDouble(const unsigned char* in) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

} // namespace

DataFileImage encodeDataFile(const GeometryData& geometry, const SoilData& soil) {
    DataFileImage image{};
    unsigned char* out = image.data();
    for (const auto field : kGeometryFields) {
        putDouble(out, geometry.*field);
        out += 8;
    }
    for (const auto field : kSoilFields) {
        putDouble(out, soil.*field);
        out += 8;
    }
    return image;
}

void decodeDataFile(const DataFileImage& image, GeometryData& geometry, SoilData& soil) {
    const unsigned char* in = image.data();
    for (const auto field : kGeometryFields) {
        geometry.*field = getDouble(in);
        in += 8;
    }
    for (const auto field : kSoilFields) {
        soil.*field = getDouble(in);
        in += 8;
    }
}

bool readDataFile(const std::string& path, GeometryData& geometry, SoilData& soil) {
    const auto bytes = readFilePrefix(path, kDataFileSize);
    if (!bytes || bytes->size() != kDataFileSize)
        return false;
    DataFileImage image{};
    for (std::size_t i = 0; i < kDataFileSize; ++i)
        image[i] = static_cast<unsigned char>((*bytes)[i]);
    decodeDataFile(image, geometry, soil);
    return true;
}

bool writeDataFile(const std::string& path, const GeometryData& geometry, const SoilData& soil) {
    const DataFileImage image = encodeDataFile(geometry, soil);
    return replaceFileContents(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

bool ReadDataFile(const std::string& path) { return readDataFile(path, geometryData, soilData); }

bool WriteDataFile(const std::string& path) {
    return writeDataFile(path, geometryData, soilData);
}

} // namespace zolt
