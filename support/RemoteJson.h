#pragma once

#include "RemoteArg.h"

#include <string>
#include <vector>

// The JSON-RPC params array of a call, as JSON text: texts as strings, dates as "YYYY-MM-DD"
// (null for no date), packets as packet objects.
std::string RemoteArgsToText(const std::vector<RemoteArg>& args);
