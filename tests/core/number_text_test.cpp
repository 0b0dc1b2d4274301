#include "model/number_text.h"

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
