// A minimal JSON writer for zolt-calc's --json output: objects, arrays,
// strings and numbers that read back exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zolt::cli {

class JsonWriter {
public:
    void beginObject(std::string_view key = {});
    void endObject();
    void beginArray(std::string_view key = {});
    void endArray();
    // A number with full round-trip precision; null when it is not finite.
    void number(std::string_view key, double value);
    void integer(std::string_view key, long long value);
    void unsignedInteger(std::string_view key, unsigned long long value);
    void string(std::string_view key, std::string_view value);
    void null(std::string_view key);
    void boolean(std::string_view key, bool value);
    // The number, or null when there is none.
    void optionalNumber(std::string_view key, const std::optional<double>& value);

    // The document, ending with a line break.
    std::string text() const { return out_ + "\n"; }

private:
    void open(std::string_view key);
    void close(char bracket);
    void appendQuoted(std::string_view value);

    std::string out_;
    int depth_ = 0;
    bool first_ = true;
};

} // namespace zolt::cli
