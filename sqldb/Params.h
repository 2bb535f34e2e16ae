#pragma once

#include "sqldb/Value.h"

#include <map>
#include <string>

namespace sqldb {

// Named parameters of a statement, keyed without the leading colon: {{"CDFILIAL", "0001"}}.
using Params = std::map<std::string, Value, std::less<>>;

} // namespace sqldb
