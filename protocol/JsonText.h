#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <system_error>

namespace protocol {

// A JSON value's text as either end writes it: invalid UTF-8 in a text (SQLite stores whatever
// it was given, an operator may type anything) goes out as U+FFFD instead of failing the
// message; the receiver validates what it gets.
inline std::string JsonText(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Whether `text` is printable ASCII without quote or backslash, most of the texts of a large
// message, and so its own JSON text. No early exit: the compiler then checks many characters at a
// time.
inline bool IsPlainJsonText(const std::string& text) {
    unsigned char special = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        special |=
            static_cast<unsigned char>((byte < 0x20) | (byte >= 0x7f) | (byte == '"') | (byte == '\\'));
    }
    return special == 0;
}

// Appends `text` as a JSON string, as JsonText writes it; plain texts skip the writer.
inline void AppendJsonString(std::string& json, const std::string& text) {
    if (!IsPlainJsonText(text)) {
        json += JsonText(text);
        return;
    }
    json += '"';
    json += text;
    json += '"';
}

// Appends `number` as JsonText writes it. From 0.0001 up to 10^15, every quantity and price, the
// writer's text is the shortest fixed form with ".0" on a whole number, which the standard library
// writes without building a JSON value; other numbers go through the writer.
inline void AppendJsonNumber(std::string& json, double number) {
    const double magnitude = std::fabs(number);
    if (magnitude >= 1e-4 && magnitude < 1e15) {
        char text[32];
        const auto [end, error] = std::to_chars(text, text + sizeof text, number, std::chars_format::fixed);
        if (error == std::errc()) {
            json.append(text, end);
            if (std::find(text, end, '.') == end)
                json += ".0";
            return;
        }
    }
    json += JsonText(number);
}

} // namespace protocol
