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
