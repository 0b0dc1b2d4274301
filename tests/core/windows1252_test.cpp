#include "model/windows1252.h"

#include <gtest/gtest.h>

namespace zolt {
namespace {

TEST(Windows1252, EncodesItalianAndTheHighControls) {
    EXPECT_EQ(utf8ToWindows1252("capacit\xC3\xA0"), "capacit\xE0");
    EXPECT_EQ(utf8ToWindows1252("\xC2\xB0"), "\xB0");         // degree sign
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82\xAC"), "\x80");     // euro sign
    EXPECT_EQ(utf8ToWindows1252("\xE2\x80\x99"), "\x92");     // right quote
    EXPECT_EQ(utf8ToWindows1252("\xE4\xB8\xAD"), "?");        // not in the code page
    EXPECT_EQ(utf8ToWindows1252("a\xC3"), "a?");              // cut sequence
    EXPECT_EQ(utf8ToWindows1252("\xFF" "b"), "?b");
    EXPECT_EQ(utf8ToWindows1252(std::string_view("\0x", 2)), std::string("\0x", 2));
}

// Malformed UTF-8 gives one '?' per piece Unicode would replace by U+FFFD.
TEST(Windows1252, ReplacesMalformedUtf8PieceByPiece) {
    struct Case {
        std::string_view utf8;
        std::string_view expected;
    };
    const Case cases[] = {
        {"x\xC1\x82y", "x??y"},             // overlong 'B'
        {"\xC0\x80", "??"},                 // overlong NUL
        {"\xE0\x80\xAF", "???"},            // overlong '/'
        {"\xE0\x9F\xBF", "???"},            // overlong U+07FF
        {"\xF0\x82\x82\xAC", "????"},       // overlong euro sign
        {"\xED\xA0\x80", "???"},            // U+D800
        {"\xED\xBF\xBF", "???"},            // U+DFFF
        {"\xF4\x90\x80\x80", "????"},       // U+110000
        {"\xF5\x80\x80\x80", "????"},
        {"\xFE\xFF", "??"},
        {"\x80\xBF", "??"},                 // continuation bytes alone
        {"\xE2\x82" "A", "?A"},             // euro sign cut short
        {"\xF0\x9F\x98", "?"},              // cut at the end
        {"\xC3\xC3\xA0", "?\xE0"},          // cut, then a whole sequence
        {"\xE2\x82\xAC\xAC", "\x80?"},      // one continuation byte too many
        // Well formed at the edges of the ranges above.
        {"\xC2\xA0", "\xA0"},
        {"\xC2\x80", "?"},                  // U+0080: a C1 control, not in the code page
        {"\xED\x9F\xBF", "?"},              // U+D7FF
        {"\xEE\x80\x80", "?"},              // U+E000
        {"\xF0\x90\x80\x80", "?"},          // U+10000
        {"\xF4\x8F\xBF\xBF", "?"},          // U+10FFFF
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8ToWindows1252(c.utf8), c.expected) << testing::PrintToString(c.utf8);
}

TEST(Windows1252, DecodesEveryByteAndRoundTrips) {
    EXPECT_EQ(windows1252ToUtf8("profondit\xE0"), "profondit\xC3\xA0");
    EXPECT_EQ(windows1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(windows1252ToUtf8("\x81"), "\xEF\xBF\xBD");
    for (int b = 0; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            continue;
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(byte)), byte) << b;
    }
}

} // namespace
} // namespace zolt
