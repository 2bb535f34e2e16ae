#pragma once

#include "data/Packet.h"

#include <optional>

namespace simdjson::dom {
class element;
}

// A packet read from its parsed tree, as PacketReader reads the same text: the fields, then the
// rows, each cell converted to its field's type. Only the shape the server writes is read here (an
// object of "fields" then "rows", every field a flat object, every row a flat list of the fields'
// length, every cell one its field takes); for anything else the answer is nullopt, and the text's
// events go to PacketReader, which reads what it can and names every fault.
std::optional<data::Packet> PacketOfTree(const simdjson::dom::element& packet);
