#pragma once

#include "data/FieldType.h"
#include "data/Value.h"

#include <string>
#include <vector>

namespace data {

struct PacketField {
    std::string Name;
    FieldType Type = FieldType::String;
    int Size = 0;
};

// A dataset's whole content as it travels between the application server and the client.
// Date and DateTime values are date values (doubles); a row holds one value per field.
struct Packet {
    std::vector<PacketField> Fields;
    std::vector<std::vector<Value>> Rows;
};

} // namespace data
