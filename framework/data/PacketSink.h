#pragma once

#include "data/Packet.h"

#include <vector>

namespace data {

// Where a packet being read goes: its fields once they are all known, then each row in order.
// A row's cells may be moved from; the vector is reused for the next row.
class PacketSink {
public:
    virtual ~PacketSink() = default;
    virtual void Fields(const std::vector<PacketField>& fields) = 0;
    virtual void Row(std::vector<Value>& cells) = 0;
};

} // namespace data
