#pragma once

#include "rdm/MethodCall.h"
#include "rdm/RpcError.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// The remote data module "Ped01000.rdmCancelaPedido": the methods the cancellation screen calls.
class CancelaPedidoService {
public:
    static bool HasMethod(std::string_view method);
    // The methods that only read (protocol::CancelaPedidoMethods). The GetSimula... dry runs are
    // not among them: they lock and write like their commands before they roll back.
    static bool IsReadOnly(std::string_view method);

    // Returns {"packet":{...}} for Get... and {"status":"ok","rows":N} for Set...; throws RpcError.
    static nlohmann::json Call(std::string_view method, const MethodCall& call);
};

} // namespace pedserver
