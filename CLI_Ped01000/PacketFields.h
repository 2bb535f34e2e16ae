#pragma once

#include "data/Packet.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// A server packet's cells read by field name, whatever order the fields come in: a text cell that
// is null or not a text reads as "", a number cell that is null or not a number as 0.
class PacketFields {
public:
    // `answer` names the packet in the error a missing field throws ("Resposta da simulação").
    PacketFields(const data::Packet& packet, std::string answer)
        : m_packet(packet), m_answer(std::move(answer)) {}

    std::string Text(const std::vector<data::Value>& row, const std::string& field) const;
    double Number(const std::vector<data::Value>& row, const std::string& field) const;

private:
    // Throws std::runtime_error "<answer> sem o campo FIELD." when the packet has no such field.
    std::size_t Index(const std::string& field) const;

    const data::Packet& m_packet;
    std::string m_answer;
};
