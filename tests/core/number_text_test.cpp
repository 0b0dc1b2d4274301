#include "model/number_text.h"
#include "workflow/input_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zolt {
namespace {

TEST(FormatFixed, RoundsAndPadsLikePrintf) {
    EXPECT_EQ(formatFixed(1.0, 2), "1.00");
    EXPECT_EQ(formatFixed(1800.0, 1), "1800.0");
    EXPECT_EQ(formatFixed(3.0, 2, 1, true), "3.00");
    EXPECT_EQ(formatFixed(0.0, 0, 8), "       0");
    EXPECT_EQ(formatFixed(12345678.4, 0, 8), "12345678");
    EXPECT_EQ(formatFixed(123456789.0, 0, 8), "123456789"); // the field widens
    EXPECT_EQ(formatFixed(1.67, 2, 8, true), "1.67    ");
    EXPECT_EQ(formatFixed(2.0 / 3.0, 3), "0.667");
    EXPECT_EQ(formatFixed(0.125, 2), "0.12"); // exact tie: round half to even
    EXPECT_EQ(formatFixed(0.375, 2), "0.38");
    EXPECT_EQ(formatFixed(-0.0, 3), "-0.000");
    EXPECT_EQ(formatFixed(-1.5, 0), "-2");
}

TEST(FormatFixed, HugeValuesAreWrittenInFull) {
    const std::string text = formatFixed(std::numeric_limits<double>::max(), 3, 8);
    EXPECT_EQ(text.size(), 309u + 4u);
    EXPECT_EQ(text.substr(text.size() - 4), ".000");
}

TEST(FormatFixed, BoundsWidthAndPrecision) {
    EXPECT_EQ(formatFixed(1.0, 100000), "1." + std::string(kMaxFormatDigits, '0'));
    EXPECT_EQ(formatFixed(1.0, -1), "1.000000"); // as printf's "%.*f" with a negative precision
    EXPECT_EQ(formatFixed(1.0, 0, 100000), std::string(kMaxFormatDigits - 1, ' ') + "1");
    EXPECT_EQ(formatFixed(1.0, 0, -3), "1  ");   // a negative width aligns left
    EXPECT_EQ(formatFixed(1.0, 0, std::numeric_limits<int>::min()),
              "1" + std::string(kMaxFormatDigits - 1, ' '));
    EXPECT_EQ(formatFixed(-std::numeric_limits<double>::max(), kMaxFormatDigits).size(),
              1u + 309u + 1u + kMaxFormatDigits);
    // Widths and precisions past any int in a format text.
    EXPECT_EQ(formatNumbers("%99999999999.0f|", {1.0}),
              std::string(kMaxFormatDigits - 1, ' ') + "1|");
    EXPECT_EQ(formatNumbers("%.99999999999f", {1.0}), "1." + std::string(kMaxFormatDigits, '0'));
}

TEST(FormatDecimal, FixedUpToFifteenDigitsThenTheExponentForm) {
    struct Case {
        double value;
        int precision;
        int width;
        const char* text;
    };
    const Case cases[] = {
        {1.5, 2, 0, "1.50"},
        {123456789012345.0, 0, 0, "123456789012345"},
        {1234567890123.45, 2, 0, "1234567890123.45"},
        {1234567890123456.0, 0, 0, "1.23456789012346e+15"},
        {12345678901234.5, 2, 0, "1.23456789012345e+13"},
        {1e20, 0, 8, "   1e+20"},
        {-3.0376e284, 0, 0, "-3.0376e+284"},
        {0.000123, 6, 0, "0.000123"},
        {1e-30, 3, 6, " 0.000"},
        {-2.2e-16, 3, 0, "0.000"},
        {-0.0, 0, 0, "0"},
        {NAN, 2, 0, "non calcolabile"},
        {-INFINITY, 0, 0, "non calcolabile"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatDecimal(c.value, c.precision, c.width), c.text) << c.text;
}

TEST(FormatNumbers, FillsTheConversionsInOrder) {
    EXPECT_EQ(formatNumbers("Nc = %8.3f    Nq=  %8.3f     Nga=  %8.3f", {30.1396, 18.4011, 15.0698}),
              "Nc =   30.140    Nq=    18.401     Nga=    15.070");
    EXPECT_EQ(formatNumbers("Capacit\xC3\xA0 portante  %8.0f Kg", {75464.6}),
              "Capacit\xC3\xA0 portante     75465 Kg");
    EXPECT_EQ(formatNumbers("%-*.*f", {}), "%-*.*f"); // unknown conversions stay as text
    EXPECT_EQ(formatNumbers("100%% %.1f", {2.25}), "100% 2.2");
    EXPECT_EQ(formatNumbers("%f|%-6.1f|", {1.0, 2.0}), "1.000000|2.0   |");
    EXPECT_EQ(formatNumbers("a %5.2f b", {}), "a  b");
}

TEST(ParseLeadingNumber, ReadsLikeStrtodInTheCLocale) {
    struct Case {
        const char* text;
        double value;
        std::size_t length;
    };
    const Case cases[] = {
        {"9.5", 9.5, 3},     {"12.", 12.0, 3},    {".5", 0.5, 2},   {"", 0.0, 0},
        {".", 0.0, 0},       {"-", 0.0, 0},       {"-.5", -0.5, 3}, {" 7x", 7.0, 2},
        {"9,5", 9.0, 1},     {"1e3", 1000.0, 3},  {"1e", 1.0, 1},   {"+2", 2.0, 2},
        {"inf", 0.0, 0},     {"nan", 0.0, 0},     {"1.2.3", 1.2, 3}, {"0009", 9.0, 4},
    };
    for (const Case& c : cases) {
        const LeadingNumber got = parseLeadingNumber(c.text);
        EXPECT_EQ(got.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(got.length, c.length) << '"' << c.text << '"';
    }
    EXPECT_TRUE(std::isinf(parseLeadingNumber("1e999").value));
    EXPECT_EQ(parseLeadingNumber("1e-999").value, 0.0);
}

// Beyond the range of a double the value decides, not how it is written:
// many digits outweigh a negative exponent and leading zeros a positive one.
TEST(ParseLeadingNumber, JudgesOutOfRangeByValue) {
    const std::string zeros(400, '0');
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"1" + zeros + "e-90", HUGE_VAL},          // 1e310
        {"-1" + zeros + "e-90", -HUGE_VAL},
        {"1" + zeros, HUGE_VAL},
        {"1e309", HUGE_VAL},
        {"0." + zeros + "1", 0.0},                 // 1e-401
        {"-0." + zeros + "1", -0.0},
        {"0." + zeros + "1e90", 1e-311},           // a denormal, in range
        {"1e-400", 0.0},
        {"2e-324", 0.0},                           // below half the smallest denormal
        {"1.7976931348623159e308", HUGE_VAL},      // rounds past DBL_MAX
    };
    for (const Case& c : cases) {
        const LeadingNumber got = parseLeadingNumber(c.text);
        EXPECT_EQ(got.value, c.value) << c.text;
        EXPECT_EQ(std::signbit(got.value), std::signbit(c.value)) << c.text;
        EXPECT_EQ(got.length, c.text.size()) << c.text;
    }
}

// What zolt-calc does with "T=1<400 zeros>e-90" and "D=0.<400 zeros>1".
TEST(ParseNumber, OutOfRangeValuesMeetTheFieldLimits) {
    const std::string zeros(400, '0');
    const auto huge = parseNumber("1" + zeros + "e-90");
    ASSERT_TRUE(huge);
    EXPECT_FALSE(findInputField("T")->accepts(*huge));
    const auto tiny = parseNumber("0." + zeros + "1");
    ASSERT_TRUE(tiny);
    EXPECT_TRUE(findInputField("D")->accepts(*tiny));
}

TEST(ParseLeadingInteger, ReadsLikeAtol) {
    EXPECT_EQ(parseLeadingInteger("12"), 12);
    EXPECT_EQ(parseLeadingInteger("-2"), -2);
    EXPECT_EQ(parseLeadingInteger("7.9"), 7);
    EXPECT_EQ(parseLeadingInteger(""), 0);
    EXPECT_EQ(parseLeadingInteger("-"), 0);
    EXPECT_EQ(parseLeadingInteger("99999999999"), 2147483647);
    EXPECT_EQ(parseLeadingInteger("-99999999999"), -2147483647 - 1);
}

TEST(ParseNumber, TakesOnlyWholeNumbers) {
    EXPECT_EQ(parseNumber("2"), 2.0);
    EXPECT_EQ(parseNumber("0.25"), 0.25);
    EXPECT_EQ(parseNumber("-1e-2"), -0.01);
    EXPECT_FALSE(parseNumber(""));
    EXPECT_FALSE(parseNumber("2m"));
    EXPECT_FALSE(parseNumber(" 2"));
    EXPECT_FALSE(parseNumber("2,5"));
    EXPECT_FALSE(parseNumber("nan"));
}

TEST(FormatRoundTrip, IsShortestExact) {
    EXPECT_EQ(formatRoundTrip(0.1), "0.1");
    EXPECT_EQ(formatRoundTrip(75464.6), "75464.6");
    EXPECT_EQ(formatRoundTrip(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(formatRoundTrip(1e300), "1e+300");
}

} // namespace
} // namespace zolt
