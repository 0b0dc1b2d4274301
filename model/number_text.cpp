#include "model/number_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace zolt {

namespace {

// to_chars with a precision is specified as printf in the "C" locale, so
// rounding matches "%.*f" digit for digit. Its result is at most a few
// hundred characters (DBL_MAX in fixed notation), far inside this buffer.
constexpr std::size_t kFixedBufferSize = 400;

std::string fixedDigits(double value, int precision) {
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    std::array<char, kFixedBufferSize> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, precision < 0 ? 6 : precision);
    if (result.ec != std::errc())
        return "?";
    return std::string(buffer.data(), result.ptr);
}

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Where the digits start, past leading blanks and an optional sign, as
// strtod and atol read them.
std::size_t skipBlanksAndSign(std::string_view text, bool& negative) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return pos;
}

} // namespace

std::string formatFixed(double value, int precision, int width, bool leftAlign) {
    std::string digits = fixedDigits(value, precision);
    if (width > 0 && digits.size() < static_cast<std::size_t>(width)) {
        const std::string pad(static_cast<std::size_t>(width) - digits.size(), ' ');
        digits = leftAlign ? digits + pad : pad + digits;
    }
    return digits;
}

std::string formatNumbers(std::string_view format, std::initializer_list<double> args) {
    std::string out;
    out.reserve(format.size() + 16 * args.size());
    auto arg = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        std::size_t j = i + 1;
        if (j < format.size() && format[j] == '%') {
            out += '%';
            i = j;
            continue;
        }
        bool leftAlign = false;
        if (j < format.size() && format[j] == '-') {
            leftAlign = true;
            ++j;
        }
        int width = 0;
        while (j < format.size() && isDigit(format[j]))
            width = width * 10 + (format[j++] - '0');
        int precision = 6;
        if (j < format.size() && format[j] == '.') {
            ++j;
            precision = 0;
            while (j < format.size() && isDigit(format[j]))
                precision = precision * 10 + (format[j++] - '0');
        }
        if (j >= format.size() || format[j] != 'f') {
            // Not a conversion this formatter knows: keep the text as it is.
            out += format[i];
            continue;
        }
        if (arg != args.end())
            out += formatFixed(*arg++, precision, width, leftAlign);
        i = j;
    }
    return out;
}

std::string formatRoundTrip(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

LeadingNumber parseLeadingNumber(std::string_view text) {
    bool negative = false;
    const std::size_t pos = skipBlanksAndSign(text, negative);
    // from_chars takes no sign of its own beyond '-', and would read
    // "inf"/"nan", which no field of this program may hold: accept only a
    // decimal number, as the input fields only offer digits and '.'.
    if (pos >= text.size() || !(isDigit(text[pos]) || text[pos] == '.'))
        return {};
    double value = 0.0;
    const char* first = text.data() + pos;
    const auto result = std::from_chars(first, text.data() + text.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::invalid_argument)
        return {};
    if (result.ec == std::errc::result_out_of_range) {
        // strtod's answer: HUGE_VAL for overflow, 0 for underflow. from_chars
        // leaves the value unset, so tell the two apart by the exponent.
        const std::string_view digits(first, static_cast<std::size_t>(result.ptr - first));
        const auto e = digits.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < digits.size() &&
                          digits[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return {negative ? -value : value, static_cast<std::size_t>(result.ptr - text.data())};
}

long parseLeadingInteger(std::string_view text) {
    bool negative = false;
    std::size_t pos = skipBlanksAndSign(text, negative);
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(INT32_MAX) + 1;
    while (pos < text.size() && isDigit(text[pos])) {
        value = value * 10 + (text[pos++] - '0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    return static_cast<long>(value);
}

std::optional<double> parseNumber(std::string_view text) {
    const LeadingNumber number = parseLeadingNumber(text);
    if (number.length == 0 || number.length != text.size())
        return std::nullopt;
    // Leading blanks are part of what strtod skips, not of a number.
    if (std::isspace(static_cast<unsigned char>(text.front())))
        return std::nullopt;
    return number.value;
}

} // namespace zolt
