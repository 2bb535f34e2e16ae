#include "rdm/CancelaPedidoService.h"

#include "rdm/MethodTable.h"
#include "rdm/Methods.h"


namespace pedserver {
namespace {

const MethodTable& Table() {
    static const MethodTable methods = {
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

MethodResult CancelaPedidoService::Call(std::string_view method, const MethodCall& call) {
    return CallMethod(Table(), method, call);
}

void RequireTokenOperator(const std::string& operatorArgument, const std::string& tokenOperator) {
    if (operatorArgument != tokenOperator)
        throw RpcError(RpcCode::Forbidden, "Operador não corresponde ao token de acesso.");
}

} // namespace pedserver
