#pragma once

#include "protocol/RemoteModules.h"
#include "rdm/MethodCall.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// The remote data module "Ped01100.rdmRelPedido": what the order report prints. Read only; the
// same token, operator and seller rules as the cancellation module.
class RelPedidoService {
public:
    static bool HasMethod(std::string_view method) {
        return protocol::FindMethod(protocol::RelPedidoMethods, method) != nullptr;
    }
    static bool IsReadOnly(std::string_view method) { return protocol::IsReadOnly(protocol::RelPedidoMethods, method); }
    static nlohmann::json Call(std::string_view method, const MethodCall& call);
};

} // namespace pedserver
