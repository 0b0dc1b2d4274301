// Columns of zolt-calc's text tables.
#pragma once

#include <cstddef>
#include <string>

namespace zolt::cli {

// `text` padded with spaces to `width` characters. Counted in characters,
// not bytes: labels and layer names hold accented and Greek letters.
inline std::string padRight(std::string text, std::size_t width) {
    std::size_t chars = 0;
    for (const char ch : text)
        chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    if (chars < width)
        text.append(width - chars, ' ');
    return text;
}

} // namespace zolt::cli
