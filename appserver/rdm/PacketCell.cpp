#include "rdm/PacketCell.h"

#include "rdm/CharCount.h"
#include "rdm/MethodResult.h"

#include <algorithm>

namespace pedserver {

void PacketCell::AppendTo(std::string& json, std::size_t maxChars) const {
    if (const auto* text = std::get_if<std::string>(&m_value)) {
        if (maxChars > 0 && text->size() > maxChars)
            AppendJsonString(json, CutToChars(*text, maxChars));
        else
            AppendJsonString(json, *text);
    } else if (const auto* integer = std::get_if<std::int64_t>(&m_value))
        json += std::to_string(*integer);
    else if (const auto* number = std::get_if<double>(&m_value))
        json += AnswerJson(*number);
    else
        json += "null";
}

void AppendJsonString(std::string& json, const std::string& text) {
    // Printable ASCII without quote or backslash is its own JSON text; anything else (escapes,
    // accents, bytes that are not UTF-8) goes through the one answer writer.
    const bool plain = std::all_of(text.begin(), text.end(),
                                   [](char c) { return c >= 0x20 && c < 0x7f && c != '"' && c != '\\'; });
    if (!plain) {
        json += AnswerJson(text);
        return;
    }
    json += '"';
    json += text;
    json += '"';
}

} // namespace pedserver
