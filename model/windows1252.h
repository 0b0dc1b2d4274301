// Windows-1252, the character set of the report file.
//
// The program keeps its texts in UTF-8; the report is written as
// single-byte Windows-1252 text ("capacità" has the byte 0xE0) and read back
// from it by the report window.
#pragma once

#include <string>
#include <string_view>

namespace zolt {

// UTF-8 to Windows-1252. A character the code page lacks becomes '?', and
// so does each piece of malformed UTF-8, cut where Unicode recommends for
// U+FFFD (its "maximal subparts"): the start of a sequence that breaks off
// gives one '?' and conversion resumes at the byte that broke it; bytes
// that begin no sequence (C0, C1, F5-FF, a stray continuation byte) give
// one each. Overlong forms, surrogates and code points above U+10FFFF
// break off at their second byte, so they give one '?' per byte.
std::string utf8ToWindows1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string windows1252ToUtf8(std::string_view bytes);

} // namespace zolt
