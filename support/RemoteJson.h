#pragma once

#include "RemoteArg.h"
#include "RemoteResult.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// The JSON-RPC params array of a call: texts as strings, dates as "YYYY-MM-DD" (null for no
// date), packets as packet objects.
nlohmann::json RemoteArgsToJson(const std::vector<RemoteArg>& args);

// A call's "result": {"packet":{...}} for a `Get...` method, {"status":"ok","rows":N} otherwise.
// Throws std::runtime_error describing what does not fit.
RemoteResult RemoteResultFromJson(const std::string& method, const nlohmann::json& result);
