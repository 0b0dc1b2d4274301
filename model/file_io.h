// Whole-file reads and safe replacement of a file's contents.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zolt {

// Replaces the file at `path` with `bytes` without ever leaving it half
// written: the bytes go to a temporary file in the same folder, which is
// then renamed over the target. An existing file keeps its permissions; a
// file the user may not write is refused, as opening it for writing would
// be. Returns false, with the old file untouched, on any failure.
bool replaceFileContents(const std::string& path, std::string_view bytes);

// Up to `maxBytes` bytes from the start of the file at `path`; nothing when
// it cannot be opened or read.
std::optional<std::string> readFilePrefix(const std::string& path, std::size_t maxBytes);

} // namespace zolt
