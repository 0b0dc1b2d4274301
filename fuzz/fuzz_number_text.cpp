// Number text against the C library in the "C" locale: the readers against
// strtod and atol, the formatters against snprintf, the round-trip writer
// against the reader.
//
// Input: the text the readers read. For the formatters the same bytes also
// give a double, a precision, a width and an alignment, and what follows
// them a format text.
#include "fuzz/fuzz_support.h"
#include "model/number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <locale.h> // newlocale (POSIX)
#include <stdlib.h> // strtod_l, strtol_l (GNU)

using namespace zolt;
using zolt::fuzz::FieldReader;
using zolt::fuzz::same;

namespace {

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

// What parseLeadingNumber must return for `text`: strtod's answer, but for
// the two forms it leaves out on purpose. It reads no "inf" or "nan", and of
// a hexadecimal number only the "0" before the "x".
LeadingNumber expectedLeadingNumber(const std::string& text) {
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, cLocale());
    const std::string_view taken(text.c_str(), static_cast<std::size_t>(end - text.c_str()));
    // "nan(0x1)" is a NaN, not a hexadecimal number.
    if (taken.find_first_of("iInN") != std::string_view::npos)
        return {};
    if (const auto x = taken.find_first_of("xX"); x != std::string_view::npos)
        return {std::copysign(0.0, value), x};
    return {value, taken.size()};
}

void checkReaders(const std::string& text) {
    const LeadingNumber expected = expectedLeadingNumber(text);
    const LeadingNumber got = parseLeadingNumber(text);
    ZOLT_FUZZ_CHECK(got.length == expected.length);
    ZOLT_FUZZ_CHECK(same(got.value, expected.value));

    const std::optional<double> whole = parseNumber(text);
    const bool isWhole = got.length > 0 && got.length == text.size() &&
                         !std::isspace(static_cast<unsigned char>(text.front()));
    ZOLT_FUZZ_CHECK(whole.has_value() == isWhole);
    ZOLT_FUZZ_CHECK(!whole || same(*whole, got.value));

    const long atolValue = strtol_l(text.c_str(), nullptr, 10, cLocale());
    const long clamped = atolValue > INT32_MAX   ? INT32_MAX
                         : atolValue < INT32_MIN ? INT32_MIN
                                                 : atolValue;
    ZOLT_FUZZ_CHECK(parseLeadingInteger(text) == clamped);
}

std::string cFormat(const char* format, int width, int precision, double value) {
    const int length = std::snprintf(nullptr, 0, format, width, precision, value);
    std::string out(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, width, precision, value);
    out.pop_back();
    return out;
}

// `text` with every '%' that does not start a conversion formatNumbers and
// printf agree on turned into '#', and at most three conversions, so that
// snprintf may be given it with three numbers.
std::string printfSafe(std::string_view text) {
    std::string out;
    int conversions = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i] == '\0' ? ' ' : text[i];
        if (ch != '%') {
            out += ch;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            out += "%%";
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        if (j < text.size() && text[j] == '-')
            ++j;
        // A leading 0 is a flag to printf, and formatNumbers stops counting
        // at kMaxFormatDigits.
        bool agreed = j >= text.size() || text[j] != '0';
        const auto count = [&] {
            int value = 0;
            while (j < text.size() && text[j] >= '0' && text[j] <= '9')
                value = std::min(value * 10 + (text[j++] - '0'), kMaxFormatDigits + 1);
            agreed = agreed && value <= kMaxFormatDigits;
        };
        count();
        if (j < text.size() && text[j] == '.') {
            ++j;
            count();
        }
        agreed = agreed && j < text.size() && text[j] == 'f' && conversions < 3;
        if (!agreed) {
            out += '#';
            continue;
        }
        out.append(text.substr(i, j + 1 - i));
        ++conversions;
        i = j;
    }
    return out;
}

void checkFormatters(FieldReader& in) {
    const double value = in.real(0.0);
    const int precisionBits = in.u16(0);
    const int widthBits = in.u16(0);
    const bool leftAlign = (in.byte(0) & 1) != 0;
    // -1 (printf's default of 6) to the limit, and widths either way.
    const int precision = precisionBits % (kMaxFormatDigits + 2) - 1;
    const int width = widthBits % (2 * kMaxFormatDigits + 1) - kMaxFormatDigits;
    ZOLT_FUZZ_CHECK(formatFixed(value, precision, width, leftAlign) ==
                    cFormat(leftAlign ? "%-*.*f" : "%*.*f", width, precision, value));

    const std::string shortest = formatRoundTrip(value);
    const std::optional<double> back = parseNumber(shortest);
    ZOLT_FUZZ_CHECK(back.has_value() == std::isfinite(value));
    ZOLT_FUZZ_CHECK(!back || same(*back, value));

    // Any format text: bounded output, whatever its counts say.
    const std::string_view format = in.rest();
    const std::string any = formatNumbers(format, {value, -value, 0.5});
    constexpr std::size_t kLongestConversion =
        1 + std::numeric_limits<double>::max_exponent10 + 1 + 1 + kMaxFormatDigits;
    ZOLT_FUZZ_CHECK(any.size() <= format.size() + 3 * kLongestConversion);

    const std::string safe = printfSafe(format);
    const int length = std::snprintf(nullptr, 0, safe.c_str(), value, -value, 0.5);
    std::string expected(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(expected.data(), expected.size(), safe.c_str(), value, -value, 0.5);
    expected.pop_back();
    ZOLT_FUZZ_CHECK(formatNumbers(safe, {value, -value, 0.5}) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkReaders(std::string(reinterpret_cast<const char*>(data), size));
    FieldReader in(data, size);
    checkFormatters(in);
    return 0;
}
