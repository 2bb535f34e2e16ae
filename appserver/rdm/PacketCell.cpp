#include "rdm/PacketCell.h"

#include "protocol/JsonText.h"
#include "rdm/CharCount.h"

namespace pedserver {

void PacketCell::AppendTo(std::string& json, std::size_t maxChars) const {
    if (const auto* text = std::get_if<std::string>(&m_value)) {
        if (maxChars > 0 && text->size() > maxChars)
            protocol::AppendJsonString(json, CutToChars(*text, maxChars));
        else
            protocol::AppendJsonString(json, *text);
    } else if (const auto* integer = std::get_if<std::int64_t>(&m_value))
        json += std::to_string(*integer);
    else if (const auto* number = std::get_if<double>(&m_value))
        protocol::AppendJsonNumber(json, *number);
    else
        json += "null";
}

} // namespace pedserver
