#include "cli/json_writer.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <utility>

namespace zolt::cli {

using Json = nlohmann::ordered_json;

namespace {

// An integral double goes in as an integer: the library would print 3.0 as
// "3.0", while the shortest form, which this output has always used, is "3".
// Below 2^53 every integer is exact and is its own shortest form; -0 stays a
// double so that its sign reads back.
Json numberValue(double value) {
    if (!std::isfinite(value))
        return nullptr;
    constexpr double kExactIntegers = 9007199254740992.0; // 2^53
    if (value == std::trunc(value) && std::fabs(value) < kExactIntegers &&
        !(value == 0.0 && std::signbit(value)))
        return static_cast<std::int64_t>(value);
    return value;
}

} // namespace

JsonWriter::JsonWriter() : root_(std::make_unique<Json>()) {}

JsonWriter::~JsonWriter() = default;

Json& JsonWriter::add(std::string_view key, Json value) {
    if (open_.empty())
        return *root_ = std::move(value);
    Json& parent = *open_.back();
    if (parent.is_array()) {
        parent.push_back(std::move(value));
        return parent.back();
    }
    return parent[std::string(key)] = std::move(value);
}

void JsonWriter::beginObject(std::string_view key) { open_.push_back(&add(key, Json::object())); }

void JsonWriter::endObject() { open_.pop_back(); }

void JsonWriter::beginArray(std::string_view key) { open_.push_back(&add(key, Json::array())); }

void JsonWriter::endArray() { open_.pop_back(); }

void JsonWriter::number(std::string_view key, double value) { add(key, numberValue(value)); }

void JsonWriter::integer(std::string_view key, long long value) { add(key, value); }

void JsonWriter::unsignedInteger(std::string_view key, unsigned long long value) {
    add(key, value);
}

void JsonWriter::string(std::string_view key, std::string_view value) { add(key, value); }

void JsonWriter::null(std::string_view key) { add(key, nullptr); }

void JsonWriter::boolean(std::string_view key, bool value) { add(key, value); }

void JsonWriter::optionalNumber(std::string_view key, const std::optional<double>& value) {
    add(key, value ? numberValue(*value) : Json(nullptr));
}

std::string JsonWriter::text() const {
    // UTF-8 passes through unescaped; a byte that is not UTF-8 becomes
    // U+FFFD rather than an exception.
    return root_->dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

} // namespace zolt::cli
