#include "CLI_Ped01000/PacketFields.h"

#include <stdexcept>

std::string PacketFields::Text(const std::vector<data::Value>& row, const std::string& field) const {
    const auto* text = std::get_if<std::string>(&row.at(Index(field)));
    return text ? *text : std::string();
}

double PacketFields::Number(const std::vector<data::Value>& row, const std::string& field) const {
    const data::Value& value = row.at(Index(field));
    if (const auto* number = std::get_if<double>(&value))
        return *number;
    const auto* integer = std::get_if<std::int64_t>(&value);
    return integer ? static_cast<double>(*integer) : 0;
}

std::size_t PacketFields::Index(const std::string& field) const {
    for (std::size_t i = 0; i < m_packet.Fields.size(); ++i) {
        if (m_packet.Fields[i].Name == field)
            return i;
    }
    throw std::runtime_error(m_answer + " sem o campo " + field + ".");
}
