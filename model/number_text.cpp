#include "model/number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <system_error>

#include <locale.h> // newlocale (POSIX)
#include <stdlib.h> // strtod_l (GNU)

namespace zolt {

namespace {

// to_chars with a precision is specified as printf in the "C" locale, so
// rounding matches "%.*f" digit for digit. Its longest result is -DBL_MAX
// with kMaxFormatDigits decimals.
constexpr std::size_t kFixedBufferSize =
    1 + (std::numeric_limits<double>::max_exponent10 + 1) + 1 + kMaxFormatDigits;

std::string fixedDigits(double value, int precision) {
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    std::array<char, kFixedBufferSize> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, precision);
    if (result.ec != std::errc())
        return "?";
    return std::string(buffer.data(), result.ptr);
}

// What strtod makes of a number from_chars found out of range: HUGE_VAL
// above DBL_MAX, 0 or a denormal below DBL_MIN. from_chars leaves the value
// unset, and neither the exponent's sign nor its presence tells the two
// apart ("1<400 zeros>e-90" overflows, "0.<400 zeros>1" underflows), so
// strtod itself judges the digits from_chars took.
double outOfRangeValue(std::string_view digits) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    // Without a locale (no memory) the larger answer is the safe one: every
    // input field refuses an infinite value.
    if (cLocale == locale_t{})
        return HUGE_VAL;
    const std::string text(digits);
    return strtod_l(text.c_str(), nullptr, cLocale);
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

// The width or precision at `pos` in a format text. Its digits may spell
// more than an int holds, so the count stops at kMaxFormatDigits.
int readCount(std::string_view format, std::size_t& pos) {
    int count = 0;
    while (pos < format.size() && isDigit(format[pos])) {
        count = std::min(count * 10 + (format[pos] - '0'), kMaxFormatDigits);
        ++pos;
    }
    return count;
}

} // namespace

std::string formatFixed(double value, int precision, int width, bool leftAlign) {
    precision = precision < 0 ? 6 : std::min(precision, kMaxFormatDigits);
    if (width < 0) {
        leftAlign = true;
        // -width could overflow; any width past the limit is the limit.
        width = width < -kMaxFormatDigits ? kMaxFormatDigits : -width;
    }
    width = std::min(width, kMaxFormatDigits);
    std::string digits = fixedDigits(value, precision);
    if (width > 0 && digits.size() < static_cast<std::size_t>(width)) {
        const std::string pad(static_cast<std::size_t>(width) - digits.size(), ' ');
        digits = leftAlign ? digits + pad : pad + digits;
    }
    return digits;
}

std::string formatDecimal(double value, int precision, int width) {
    std::string text;
    if (!std::isfinite(value)) {
        text = kNoNumberText;
    } else {
        text = formatFixed(value, precision);
        const std::size_t first = text.find_first_of("123456789");
        std::size_t digits = 0;
        if (first != std::string::npos)
            for (std::size_t i = first; i < text.size(); ++i)
                digits += isDigit(text[i]);
        else if (text.front() == '-')
            // -0.0 and a rounding residue such as (Nq - 1) tan(0) read as 0.
            text.erase(0, 1);
        if (digits > static_cast<std::size_t>(kMaxShownDigits)) {
            std::array<char, 64> buffer{};
            const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                              std::chars_format::scientific, kMaxShownDigits - 1);
            std::string mantissa(buffer.data(), result.ptr);
            const std::size_t e = mantissa.find('e');
            std::string exponent = mantissa.substr(e);
            mantissa.erase(e);
            if (mantissa.find('.') != std::string::npos) {
                mantissa.erase(mantissa.find_last_not_of('0') + 1);
                if (mantissa.back() == '.')
                    mantissa.pop_back();
            }
            text = mantissa + exponent;
        }
    }
    width = std::min(width, kMaxFormatDigits);
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
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
        const int width = readCount(format, j);
        int precision = 6;
        if (j < format.size() && format[j] == '.')
            precision = readCount(format, ++j);
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
    const auto end = static_cast<std::size_t>(result.ptr - text.data());
    if (result.ec == std::errc::result_out_of_range)
        value = outOfRangeValue(text.substr(pos, end - pos));
    return {negative ? -value : value, end};
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
