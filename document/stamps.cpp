#include "document/stamps.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace zolt::document {

namespace {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

std::optional<Date> parseDate(std::string_view iso) {
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-')
        return std::nullopt;
    Date d;
    const auto field = [&](std::size_t at, std::size_t length, int& value) {
        const char* first = iso.data() + at;
        const auto result = std::from_chars(first, first + length, value);
        return result.ec == std::errc() && result.ptr == first + length;
    };
    if (!field(0, 4, d.year) || !field(5, 2, d.month) || !field(8, 2, d.day) || d.month < 1 ||
        d.month > 12 || d.day < 1 || d.day > 31)
        return std::nullopt;
    return d;
}

unsigned readLe(const std::string& bytes, std::size_t at, int size) {
    unsigned value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void writeLe16(std::string& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// PKWARE APPNOTE 4.3.7, 4.3.12, 4.3.16: the local file header, the central
// directory header and the end of the central directory record.
constexpr unsigned kLocalHeader = 0x04034b50;
constexpr unsigned kCentralHeader = 0x02014b50;
constexpr unsigned kEndOfDirectory = 0x06054b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;

} // namespace

bool stampPdfDate(std::string& pdf, std::string_view isoDate) {
    const auto date = parseDate(isoDate);
    constexpr std::string_view kKey = "/CreationDate (D:";
    const auto at = pdf.find(kKey);
    if (!date || at == std::string::npos)
        return false;
    const auto start = at + kKey.size();
    const auto end = pdf.find(')', start);
    if (end == std::string::npos)
        return false;
    // "YYYYMMDDHHmmSS" then "Z" or "+HH'mm'" (ISO 32000-1, 7.9.4).
    const std::size_t length = end - start;
    char text[32];
    const std::string_view zone = length == 15 ? "Z" : length == 21 ? "+00'00'" : "";
    if (zone.empty())
        return false;
    const int written =
        std::snprintf(text, sizeof text, "%04d%02d%02d000000", date->year, date->month, date->day);
    if (written != 14)
        return false;
    pdf.replace(start, length, std::string(text) + std::string(zone));
    return true;
}

bool stampZipDates(std::string& zip, std::string_view isoDate) {
    auto date = parseDate(isoDate);
    if (!date || zip.size() < kEndSize)
        return false;
    if (date->year < 1980)
        date = Date{1980, 1, 1};
    // MS-DOS date: years since 1980, month, day; the time 00:00:00 is 0.
    const unsigned dosDate =
        static_cast<unsigned>(((date->year - 1980) << 9) | (date->month << 5) | date->day);
    std::size_t end = zip.size() - kEndSize + 1;
    do {
        --end;
        if (readLe(zip, end, 4) == kEndOfDirectory)
            break;
    } while (end > 0);
    if (readLe(zip, end, 4) != kEndOfDirectory)
        return false;
    const unsigned entries = readLe(zip, end + 10, 2);
    std::size_t at = readLe(zip, end + 16, 4);
    std::vector<std::size_t> stamps; // offsets of the time fields, date beside
    for (unsigned i = 0; i < entries; ++i) {
        if (at + kCentralSize > end || readLe(zip, at, 4) != kCentralHeader)
            return false;
        const std::size_t local = readLe(zip, at + 42, 4);
        if (local + kLocalSize > zip.size() || readLe(zip, local, 4) != kLocalHeader)
            return false;
        stamps.push_back(at + 12);
        stamps.push_back(local + 10);
        at += kCentralSize + readLe(zip, at + 28, 2) + readLe(zip, at + 30, 2) +
              readLe(zip, at + 32, 2);
    }
    for (const std::size_t stamp : stamps) {
        writeLe16(zip, stamp, 0);
        writeLe16(zip, stamp + 2, dosDate);
    }
    return true;
}

} // namespace zolt::document
