#include "cli/json_writer.h"

#include "model/number_text.h"

#include <cmath>
#include <cstdio>

namespace zolt::cli {

void JsonWriter::open(std::string_view key) {
    if (depth_ > 0) {
        if (!first_)
            out_ += ',';
        out_ += '\n';
        out_.append(static_cast<std::size_t>(depth_) * 2, ' ');
    }
    first_ = false;
    if (!key.empty()) {
        appendQuoted(key);
        out_ += ": ";
    }
}

void JsonWriter::beginObject(std::string_view key) {
    open(key);
    out_ += '{';
    ++depth_;
    first_ = true;
}

void JsonWriter::close(char bracket) {
    --depth_;
    if (!first_) {
        out_ += '\n';
        out_.append(static_cast<std::size_t>(depth_) * 2, ' ');
    }
    out_ += bracket;
    first_ = false;
}

void JsonWriter::endObject() { close('}'); }

void JsonWriter::beginArray(std::string_view key) {
    open(key);
    out_ += '[';
    ++depth_;
    first_ = true;
}

void JsonWriter::endArray() { close(']'); }

void JsonWriter::number(std::string_view key, double value) {
    open(key);
    out_ += std::isfinite(value) ? formatRoundTrip(value) : "null";
}

void JsonWriter::integer(std::string_view key, long long value) {
    open(key);
    out_ += std::to_string(value);
}

void JsonWriter::unsignedInteger(std::string_view key, unsigned long long value) {
    open(key);
    out_ += std::to_string(value);
}

void JsonWriter::string(std::string_view key, std::string_view value) {
    open(key);
    appendQuoted(value);
}

void JsonWriter::null(std::string_view key) {
    open(key);
    out_ += "null";
}

void JsonWriter::boolean(std::string_view key, bool value) {
    open(key);
    out_ += value ? "true" : "false";
}

void JsonWriter::optionalNumber(std::string_view key, const std::optional<double>& value) {
    if (value)
        number(key, *value);
    else
        null(key);
}

void JsonWriter::appendQuoted(std::string_view value) {
    out_ += '"';
    for (const char ch : value) {
        switch (ch) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\t': out_ += "\\t"; break;
        case '\r': out_ += "\\r"; break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(ch));
                out_ += escaped;
            } else {
                out_ += ch; // UTF-8 passes through
            }
        }
    }
    out_ += '"';
}

} // namespace zolt::cli
