// Numbers to text and back, independent of the process locale.
//
// The window program runs under the user's locale, where the C library may
// write and expect "," as the decimal point. Every number the program shows,
// stores as text or reads from text goes through these functions instead,
// which always use ".".
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace zolt {

// The largest width and precision the formatters honour; larger ones count
// as this many. No row of the program comes near it, and it keeps a stray
// format text from asking for gigabytes of blanks or zeros.
constexpr int kMaxFormatDigits = 512;

// printf("%*.*f") in the "C" locale: fixed notation with `precision`
// decimals (6 when negative), right-aligned in `width` columns (left-aligned
// when `leftAlign` or the width is negative); the field grows when the
// number needs more room.
std::string formatFixed(double value, int precision, int width = 0, bool leftAlign = false);

// The most significant digits a number of the design checks, studies and
// full report shows: a double carries 15 to 17, and only 15 of them
// survive any decimal text and back.
constexpr int kMaxShownDigits = 15;

// The text a value without a number (NaN, infinite) shows in those outputs,
// where their JSON writes null.
inline constexpr const char* kNoNumberText = "non calcolabile";

// formatFixed's fixed notation as long as it shows at most kMaxShownDigits
// digits from the first non-zero one; past that the exponent form with at
// most that many significant digits and no trailing zeros ("1e+20",
// "1.23456789012346e+288"). kNoNumberText for NaN and infinities. Right-
// aligned in `width` columns. A value that rounds to zero shows no sign.
std::string formatDecimal(double value, int precision, int width = 0);

// printf in the "C" locale for format texts whose only conversions are
// "%[-][width][.precision]f" (one argument each, in order) and "%%".
// A conversion without an argument writes nothing.
std::string formatNumbers(std::string_view format, std::initializer_list<double> args);

// The shortest text that reads back as the same double ("0.1", "1e+300").
std::string formatRoundTrip(double value);

// strtod in the "C" locale: the value of the longest leading number of
// `text` (after optional blanks and sign) and how many characters it took;
// {0, 0} when the text does not start with a number.
struct LeadingNumber {
    double value = 0.0;
    std::size_t length = 0;
};
LeadingNumber parseLeadingNumber(std::string_view text);

// atol: the leading decimal integer of `text`, 0 when there is none;
// saturates at the limits of a 32-bit signed integer.
long parseLeadingInteger(std::string_view text);

// The whole of `text` as one number (decimal, optional sign and exponent);
// nothing when any character is left over or the text is empty.
std::optional<double> parseNumber(std::string_view text);

} // namespace zolt
