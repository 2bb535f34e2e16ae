#include "rdm/CancelaPedidoService.h"

#include "rdm/Methods.h"

#include <map>

namespace pedserver {
namespace {

const std::map<std::string, Method, std::less<>>& Table() {
    static const std::map<std::string, Method, std::less<>> methods = {
        {"GetParamPedido", &GetParamPedido},
        {"GetPedido", &GetPedido},
        {"GetItemPedido", &GetItemPedido},
        {"GetItemPedidoSemFiltro2", &GetItemPedidoSemFiltro2},
        {"getOperTPed", &GetOperTPed},
        {"GetNrPedido", &GetNrPedido},
        {"SetCancelaPed", &SetCancelaPed},
        {"SetCancelaItemPed", &SetCancelaItemPed},
        {"SetDesfazCancel", &SetDesfazCancel},
        {"GetBloqueioPedido", &GetBloqueioPedido},
        {"GetSaldoEmpenho", &GetSaldoEmpenho},
        {"GetSimulaCancelaPed", &GetSimulaCancelaPed},
        {"GetSimulaCancelaItemPed", &GetSimulaCancelaItemPed},
        {"GetSimulaDesfazCancel", &GetSimulaDesfazCancel},
    };
    return methods;
}

} // namespace

nlohmann::json CancelaPedidoService::Call(std::string_view method, const MethodCall& call) {
    const auto found = Table().find(method);
    if (found == Table().end())
        throw RpcError(RpcCode::MethodNotFound, "Método desconhecido: " + std::string(method) + ".");
    return found->second(call);
}

void RequireTokenOperator(const std::string& operatorArgument, const std::string& tokenOperator) {
    if (operatorArgument != tokenOperator)
        throw RpcError(RpcCode::Forbidden, "Operador não corresponde ao token de acesso.");
}

} // namespace pedserver
