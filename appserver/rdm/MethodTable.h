#pragma once

#include "rdm/MethodCall.h"
#include "rdm/MethodResult.h"

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// A remote data module's methods by name, each the function that runs it.
using MethodTable = std::map<std::string, MethodResult (*)(const MethodCall& call), std::less<>>;

// Runs the table's method of that name; an unknown name is refused as JSON-RPC's "method not found".
MethodResult CallMethod(const MethodTable& table, std::string_view method, const MethodCall& call);

} // namespace pedserver
