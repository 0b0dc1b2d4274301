// zolt-calc's --json document, built with nlohmann-json in the order the
// keys are given: objects, arrays, strings and numbers that read back
// exactly.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolt::cli {

class JsonWriter {
public:
    JsonWriter();
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    // The key is ignored inside an array.
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

    // The document indented by two spaces, ending with a line break.
    std::string text() const;

private:
    nlohmann::ordered_json& add(std::string_view key, nlohmann::ordered_json value);

    std::unique_ptr<nlohmann::ordered_json> root_;
    // The objects and arrays begun and not yet ended, innermost last. Only
    // the innermost one grows, so the pointers to the outer ones stay valid.
    std::vector<nlohmann::ordered_json*> open_;
};

} // namespace zolt::cli
