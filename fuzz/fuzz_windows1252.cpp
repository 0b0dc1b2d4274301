// The Windows-1252 codec on any bytes, both ways, with glibc's iconv as the
// reference for which UTF-8 is well formed and what each character becomes.
//
// Input: bytes taken once as UTF-8 and once as Windows-1252.
#include "fuzz/fuzz_support.h"
#include "model/windows1252.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <iconv.h>

using namespace zolt;

namespace {

bool undefinedByte(unsigned char b) {
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

iconv_t openConverter(const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    ZOLT_FUZZ_CHECK(cd != reinterpret_cast<iconv_t>(-1));
    return cd;
}

// glibc's reading of `utf8`: the code points of its well-formed beginning
// and how many bytes that beginning has. It stops at the first ill-formed
// or cut sequence.
struct Decoded {
    std::vector<char32_t> codePoints;
    std::size_t wellFormedLength = 0;
};

Decoded decodeWithIconv(std::string_view utf8) {
    static const iconv_t decoder = openConverter("UTF-32LE", "UTF-8");
    iconv(decoder, nullptr, nullptr, nullptr, nullptr);
    Decoded decoded;
    // Never empty: iconv wants an output buffer even for no input.
    decoded.codePoints.resize(utf8.size() + 1);
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* out = reinterpret_cast<char*>(decoded.codePoints.data());
    std::size_t outLeft = decoded.codePoints.size() * sizeof(char32_t);
    const std::size_t status = iconv(decoder, &in, &inLeft, &out, &outLeft);
    ZOLT_FUZZ_CHECK(status != static_cast<std::size_t>(-1) || errno == EILSEQ || errno == EINVAL);
    decoded.codePoints.resize(decoded.codePoints.size() - outLeft / sizeof(char32_t));
    decoded.wellFormedLength = utf8.size() - inLeft;
    return decoded;
}

// glibc's Windows-1252 byte of one code point, '?' where it has none.
char byteWithIconv(char32_t codePoint) {
    static const iconv_t encoder = openConverter("WINDOWS-1252", "UTF-32LE");
    iconv(encoder, nullptr, nullptr, nullptr, nullptr);
    char32_t copy = codePoint;
    char* in = reinterpret_cast<char*>(&copy);
    std::size_t inLeft = sizeof copy;
    char byte = '?';
    char* out = &byte;
    std::size_t outLeft = 1;
    if (iconv(encoder, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        return '?';
    return byte;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // As UTF-8: one byte at most for every byte in.
    const std::string bytes = utf8ToWindows1252(input);
    ZOLT_FUZZ_CHECK(bytes.size() <= input.size());

    // Up to the first ill-formed sequence it converts what glibc reads, as
    // glibc converts it; there it writes a '?'.
    const Decoded decoded = decodeWithIconv(input);
    std::string expected;
    for (const char32_t codePoint : decoded.codePoints)
        expected += byteWithIconv(codePoint);
    ZOLT_FUZZ_CHECK(bytes.compare(0, expected.size(), expected) == 0);
    if (decoded.wellFormedLength == input.size()) {
        ZOLT_FUZZ_CHECK(bytes.size() == expected.size());
    } else {
        ZOLT_FUZZ_CHECK(bytes.size() > expected.size() && bytes[expected.size()] == '?');
        // A '?' never swallows an ASCII byte: from the next one on, the
        // conversion is that of the rest alone.
        std::size_t ascii = decoded.wellFormedLength;
        while (ascii < input.size() && static_cast<unsigned char>(input[ascii]) >= 0x80)
            ++ascii;
        ZOLT_FUZZ_CHECK(bytes == utf8ToWindows1252(input.substr(0, ascii)) +
                                     utf8ToWindows1252(input.substr(ascii)));
    }

    // What it writes are defined bytes only, so they read back unchanged.
    ZOLT_FUZZ_CHECK(utf8ToWindows1252(windows1252ToUtf8(bytes)) == bytes);

    // As Windows-1252: well-formed UTF-8 out, and back to the same bytes but
    // for the five the code page leaves undefined.
    const std::string utf8 = windows1252ToUtf8(input);
    ZOLT_FUZZ_CHECK(decodeWithIconv(utf8).wellFormedLength == utf8.size());
    std::string back(input);
    for (char& ch : back)
        if (undefinedByte(static_cast<unsigned char>(ch)))
            ch = '?';
    ZOLT_FUZZ_CHECK(utf8ToWindows1252(utf8) == back);
    return 0;
}
