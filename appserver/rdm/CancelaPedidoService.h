#pragma once

#include "rdm/MethodCall.h"
#include "rdm/MethodResult.h"
#include "rdm/RpcError.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// The remote data module "Ped01000.rdmCancelaPedido": the methods the cancellation screen calls
// (protocol::CancelaPedidoMethods).
class CancelaPedidoService {
public:
    // Returns {"packet":{...}} for Get... and {"status":"ok","rows":N} for Set...; throws RpcError.
    static MethodResult Call(std::string_view method, const MethodCall& call);
};

} // namespace pedserver
