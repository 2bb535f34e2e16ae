#pragma once

#include "data/DataSet.h"
#include "data/Packet.h"
#include "sqldb/Rows.h"

// The rows of a lookup query as a packet of the dataset's declared (non-calculated) fields, each
// value converted to its field's type. Throws std::runtime_error naming the query and the field
// for a declared field the result lacks or a value that does not fit.
data::Packet QueryPacket(const data::DataSet& dataSet, const sqldb::Rows& rows);
