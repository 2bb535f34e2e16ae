#include "rdm/MethodTable.h"

#include "rdm/RpcError.h"

namespace pedserver {

MethodResult CallMethod(const MethodTable& table, std::string_view method, const MethodCall& call) {
    const auto found = table.find(method);
    if (found == table.end())
        throw RpcError(RpcCode::MethodNotFound, "Método desconhecido: " + std::string(method) + ".");
    return found->second(call);
}

} // namespace pedserver
