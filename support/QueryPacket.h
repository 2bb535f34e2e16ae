#pragma once

#include "data/DataSet.h"
#include "data/Packet.h"

// The rows of a lookup's result (the server's packet of the result's columns) as a packet of the
// dataset's declared (non-calculated) fields, each value converted to its field's type. Throws
// std::runtime_error naming the query and the field for a declared field the result lacks or a
// value that does not fit.
data::Packet QueryPacket(const data::DataSet& dataSet, const data::Packet& result);
