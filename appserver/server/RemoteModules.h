#pragma once

#include "protocol/RemoteModules.h"
#include "rdm/MethodCall.h"
#include "rdm/MethodResult.h"

#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>

namespace pedserver {

// A remote data module the server offers at POST /rdm/<Name>: the methods it knows, with which
// of them only read (protocol/RemoteModules.h), and how to run one.
struct RemoteModule {
    std::string_view Name;
    std::span<const protocol::MethodInfo> Methods;
    MethodResult (*Call)(std::string_view method, const MethodCall& call);

    bool HasMethod(std::string_view method) const { return protocol::FindMethod(Methods, method) != nullptr; }
    // Whether the method only reads, so calls of it may run side by side.
    bool IsReadOnly(std::string_view method) const { return protocol::IsReadOnly(Methods, method); }
};

// The module of that name, or null.
const RemoteModule* FindRemoteModule(std::string_view name);
// The order-cancellation module, which the server's first path serves.
const RemoteModule& CancellationModule();

} // namespace pedserver
