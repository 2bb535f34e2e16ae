#pragma once

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>

namespace protocol {

// A JSON value's text as either end writes it: invalid UTF-8 in a text (SQLite stores whatever
// it was given, an operator may type anything) goes out as U+FFFD instead of failing the
// message; the receiver validates what it gets.
inline std::string JsonText(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Appends `text` as a JSON string, as JsonText writes it. Printable ASCII without quote or
// backslash, most of the texts of a large message, is its own JSON text and skips the writer.
inline void AppendJsonString(std::string& json, const std::string& text) {
    const bool plain = std::all_of(text.begin(), text.end(),
                                   [](char c) { return c >= 0x20 && c < 0x7f && c != '"' && c != '\\'; });
    if (!plain) {
        json += JsonText(text);
        return;
    }
    json += '"';
    json += text;
    json += '"';
}

} // namespace protocol
