#pragma once

#include "data/Packet.h"
#include "data/PacketSink.h"

#include <utility>
#include <vector>

namespace data {

// A packet sink that collects the fields and rows into a packet.
class PacketCollector : public PacketSink {
public:
    explicit PacketCollector(Packet& packet) : m_packet(packet) {}
    void Fields(const std::vector<PacketField>& fields) override { m_packet.Fields = fields; }
    void Row(std::vector<Value>& cells) override { m_packet.Rows.push_back(std::move(cells)); }

private:
    Packet& m_packet;
};

} // namespace data
