#pragma once

#include "rdm/MethodCall.h"
#include "sqldb/Connection.h"

#include <nlohmann/json.hpp>
#include <string>

namespace pedserver {

// The module's remote methods; each reads its own parameters and returns the JSON-RPC result.
nlohmann::json GetParamPedido(const MethodCall& call);
nlohmann::json GetPedido(const MethodCall& call);
nlohmann::json GetItemPedido(const MethodCall& call);
nlohmann::json GetItemPedidoSemFiltro2(const MethodCall& call);
nlohmann::json GetOperTPed(const MethodCall& call);
nlohmann::json GetNrPedido(const MethodCall& call);
nlohmann::json SetCancelaPed(const MethodCall& call);
nlohmann::json SetCancelaItemPed(const MethodCall& call);
nlohmann::json SetDesfazCancel(const MethodCall& call);
// What the screen shows before acting: who is editing orders, commitments' balances.
nlohmann::json GetBloqueioPedido(const MethodCall& call);
nlohmann::json GetSaldoEmpenho(const MethodCall& call);
// Dry runs of the three Set... calls: their answer is what the call would change, or its refusal.
nlohmann::json GetSimulaCancelaPed(const MethodCall& call);
nlohmann::json GetSimulaCancelaItemPed(const MethodCall& call);
nlohmann::json GetSimulaDesfazCancel(const MethodCall& call);

// The operator argument of a call must be the operator the access token was issued to.
void RequireTokenOperator(const std::string& operatorArgument, const std::string& tokenOperator);

// The items of an order that keep it from being cancelled while in progress: items with a
// delivered quantity, and items with a reserved lot where the branch reserves lots.
sqldb::Rows BlockingItems(sqldb::Connection& connection, const std::string& filial,
                          const std::string& pedido);

// Field sizes the methods accept and answer with.
namespace Size {
constexpr std::size_t Filial = 4, Pedido = 10, Item = 10, Vendedor = 4, Operador = 12, Justificativa = 4,
                      Empenho = 20;
constexpr std::size_t Mensagem = 500;
} // namespace Size

} // namespace pedserver
