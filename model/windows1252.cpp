#include "model/windows1252.h"

#include <cstddef>
#include <cstdint>

namespace zolt {

namespace {

// Code points of the bytes 0x80..0x9F; 0 marks the undefined ones. The rest
// of the code page is Latin-1, byte value = code point.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The well-formed UTF-8 sequences by their lead byte (Unicode's table
// "Well-Formed UTF-8 Byte Sequences"). Only the second byte's range differs
// from the plain continuation range 80..BF: narrowing it at E0, ED, F0 and F4
// is what shuts out overlong forms, surrogates and code points past U+10FFFF.
struct WellFormed {
    std::uint8_t firstLead, lastLead;
    std::size_t length;
    std::uint8_t leadMask;
    std::uint8_t secondLow, secondHigh;
};

constexpr WellFormed kWellFormed[] = {
    {0xC2, 0xDF, 2, 0x1F, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0x0F, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x0F, 0x80, 0xBF}, {0xED, 0xED, 3, 0x0F, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x0F, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x07, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x07, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x07, 0x80, 0x8F},
};

const WellFormed* formOf(std::uint8_t lead) {
    for (const WellFormed& form : kWellFormed)
        if (lead >= form.firstLead && lead <= form.lastLead)
            return &form;
    return nullptr;
}

char toByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const WellFormed* form = formOf(lead);
        if (form == nullptr) {
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = lead & form->leadMask;
        std::size_t length = 1;
        for (; length < form->length && i + length < utf8.size(); ++length) {
            const auto next = static_cast<std::uint8_t>(utf8[i + length]);
            const std::uint8_t low = length == 1 ? form->secondLow : 0x80;
            const std::uint8_t high = length == 1 ? form->secondHigh : 0xBF;
            if (next < low || next > high)
                break;
            cp = (cp << 6) | (next & 0x3F);
        }
        out += length == form->length ? toByte(cp) : '?';
        i += length;
    }
    return out;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        if (b >= 0x80 && b < 0xA0) {
            const char32_t cp = kHighControls[b - 0x80];
            appendUtf8(out, cp != 0 ? cp : char32_t{0xFFFD});
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

} // namespace zolt
