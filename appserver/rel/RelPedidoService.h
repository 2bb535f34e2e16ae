#pragma once

#include "rdm/MethodCall.h"
#include "rdm/MethodResult.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// The remote data module "Ped01100.rdmRelPedido": what the order report prints. Read only; the
// same token, operator and seller rules as the cancellation module.
class RelPedidoService {
public:
    static MethodResult Call(std::string_view method, const MethodCall& call);
};

} // namespace pedserver
