#pragma once

#include "data/Packet.h"

#include <string>
#include <string_view>

namespace data {

// {"fields":[{"name":"NRPEDIDO","type":"string","size":10},...],"rows":[["0000000001",...],...]}
// Throws PacketError naming the problem (field, row) for anything malformed.
Packet ParsePacket(std::string_view json);
std::string SerializePacket(const Packet& packet);

// The wire name of a type ("string", "float", "integer", "boolean", "date", "datetime").
const char* PacketTypeName(FieldType type);

} // namespace data
