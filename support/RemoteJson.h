#pragma once

#include "RemoteArg.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// The JSON-RPC params array of a call: texts as strings, dates as "YYYY-MM-DD" (null for no
// date), packets as packet objects.
nlohmann::json RemoteArgsToJson(const std::vector<RemoteArg>& args);
