#pragma once

#include "rdm/MethodCall.h"
#include "rdm/MethodResult.h"
#include "sqldb/Connection.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace pedserver {

// The module's remote methods; each reads its own parameters and returns the JSON-RPC result.
MethodResult GetParamPedido(const MethodCall& call);
MethodResult GetPedido(const MethodCall& call);
MethodResult GetItemPedido(const MethodCall& call);
MethodResult GetItemPedidoSemFiltro2(const MethodCall& call);
MethodResult GetOperTPed(const MethodCall& call);
MethodResult GetNrPedido(const MethodCall& call);
MethodResult SetCancelaPed(const MethodCall& call);
MethodResult SetCancelaItemPed(const MethodCall& call);
MethodResult SetDesfazCancel(const MethodCall& call);
// What the screen shows before acting: who is editing orders, commitments' balances.
MethodResult GetBloqueioPedido(const MethodCall& call);
MethodResult GetSaldoEmpenho(const MethodCall& call);
// Dry runs of the three Set... calls: their answer is what the call would change, or its refusal.
MethodResult GetSimulaCancelaPed(const MethodCall& call);
MethodResult GetSimulaCancelaItemPed(const MethodCall& call);
MethodResult GetSimulaDesfazCancel(const MethodCall& call);

// The operator argument of a call must be the operator the access token was issued to.
void RequireTokenOperator(const std::string& operatorArgument, const std::string& tokenOperator);

// The items of the orders that keep them from being cancelled while in progress: items with a
// delivered quantity, and items with a reserved lot where the branch reserves lots; by order and
// item (NRITEMPED, IDSITITEMPED, NRPEDIDO).
sqldb::Rows BlockingItemsOf(sqldb::Connection& connection, const std::string& filial,
                            const std::vector<std::string>& orders);

// Field sizes the methods accept and answer with.
namespace Size {
constexpr std::size_t Filial = 4, Pedido = 10, Item = 10, Vendedor = 4, Operador = 12, Justificativa = 4,
                      Empenho = 20;
constexpr std::size_t Mensagem = 500;
} // namespace Size

} // namespace pedserver
