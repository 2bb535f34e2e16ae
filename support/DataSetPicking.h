#pragma once

#include "data/DataSet.h"

#include <string>
#include <vector>

namespace support {

// The dataset behind a source, opened when it is closed; throws std::invalid_argument naming
// the caller when the source has no dataset.
data::DataSet& OpenedDataSetOf(data::DataSource* source, const std::string& caller);
// The names of the visible fields, in field order: the columns a pick window shows.
std::vector<std::string> VisibleFieldNames(const data::DataSet& dataSet);
// Lets the operator pick one row of an open dataset (rows named by the first visible field) and
// moves the cursor there; false when the operator picked nothing.
bool PickOneRow(data::DataSet& dataSet, const std::string& title);

} // namespace support
