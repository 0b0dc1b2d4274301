#include "model/data_file.h"

#include "model/file_io.h"
#include "model/number_text.h"
#include "model/project.h"
// The ranges of the input dialogs, which a loaded project must meet as a
// typed one does (same library; the fields name only the records).
#include "workflow/input_fields.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// A value as a message shows it: with the field's decimals where they give
// it back exactly ("-2.00"), else in the shortest exact form ("99.904",
// "1e+300"), so that a refused value never reads as an accepted one.
std::string valueText(double value, int decimals) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (std::fabs(value) < 1e15) {
        const std::string fixed = formatFixed(value, decimals);
        if (parseNumber(fixed) == value)
            return fixed;
    }
    return formatRoundTrip(value);
}

std::optional<std::string> fieldProblem(const InputField& field, double value) {
    const std::string shown = std::string(field.name) + " = " + valueText(value, field.decimals);
    if (!std::isfinite(value))
        return shown + " non \u00e8 un numero finito";
    if (!field.accepts(value))
        return shown + " fuori dall'intervallo " + formatFixed(field.minimum, field.decimals) +
               "\u2013" + formatFixed(field.maximum, field.decimals);
    return std::nullopt;
}

DataFileRead notOpened(int error) {
    return {DataFileRead::Outcome::NotOpened, fileErrorText(error, FileAccess::Read)};
}

DataFileRead invalid(std::string reason) {
    return {DataFileRead::Outcome::Invalid, std::move(reason)};
}

// The file's bytes, one more than a data file holds so that a longer file
// shows; opened without waiting, so that a FIFO is refused at once.
DataFileRead readImage(const std::string& path, DataFileImage& image) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return notOpened(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return notOpened(error);
    }
    unsigned char bytes[kDataFileSize + 1];
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = ::read(fd, bytes + got, sizeof bytes - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return notOpened(error);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got != kDataFileSize) {
        const auto size = got > kDataFileSize ? static_cast<std::size_t>(info.st_size) : got;
        return invalid("il file \u00e8 di " + std::to_string(size) + " byte, non di " +
                       std::to_string(kDataFileSize));
    }
    std::copy(bytes, bytes + kDataFileSize, image.begin());
    return {};
}

} // namespace

std::string DataFileRead::messageText() const {
    if (outcome == Outcome::Invalid)
        return std::string(kInvalidDataText) + ": " + reason;
    return kOpenErrorText;
}

std::optional<std::string> recordsProblem(const GeometryData& geometry, const SoilData& soil) {
    for (const InputField& field : geometryFields())
        if (auto problem = fieldProblem(field, geometry.*field.geometryField))
            return problem;
    for (const InputField& field : soilFields())
        if (auto problem = fieldProblem(field, soil.*field.soilField))
            return problem;
    if (geometry.B > geometry.L)
        return std::string(kWidthLengthText) + " (B = " + valueText(geometry.B, 2) +
               ", L = " + valueText(geometry.L, 2) + ")";
    return std::nullopt;
}

DataFileRead readDataFile(const std::string& path, GeometryData& geometry, SoilData& soil) {
    DataFileImage image{};
    DataFileRead read = readImage(path, image);
    if (!read)
        return read;
    GeometryData newGeometry;
    SoilData newSoil;
    decodeDataFile(image, newGeometry, newSoil);
    if (auto problem = recordsProblem(newGeometry, newSoil))
        return invalid(std::move(*problem));
    geometry = newGeometry;
    soil = newSoil;
    return read;
}

bool writeDataFile(const std::string& path, const GeometryData& geometry, const SoilData& soil) {
    const DataFileImage image = encodeDataFile(geometry, soil);
    return replaceFileContents(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

DataFileRead ReadDataFile(const std::string& path) {
    return readDataFile(path, geometryData, soilData);
}

bool WriteDataFile(const std::string& path) {
    return writeDataFile(path, geometryData, soilData);
}

} // namespace zolt
