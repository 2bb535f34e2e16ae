#pragma once

#include "rdm/MethodCall.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// A remote data module the server offers at POST /rdm/<Name>: which methods it knows and how
// to run one.
struct RemoteModule {
    std::string_view Name;
    bool (*HasMethod)(std::string_view method);
    // Whether the method only reads, so calls of it may run side by side.
    bool (*IsReadOnly)(std::string_view method);
    nlohmann::json (*Call)(std::string_view method, const MethodCall& call);
};

// The module of that name, or null.
const RemoteModule* FindRemoteModule(std::string_view name);
// The order-cancellation module, which the server's first path serves.
const RemoteModule& CancellationModule();

} // namespace pedserver
