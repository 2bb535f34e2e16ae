#pragma once

#include "sqldb/Connection.h"

#include <nlohmann/json.hpp>
#include <string>

namespace pedserver {

// The module's remote methods; each reads its own parameters and returns the JSON-RPC result.
using Method = nlohmann::json (*)(sqldb::Connection&, const nlohmann::json& params,
                                  const std::string& tokenOperator);

nlohmann::json GetParamPedido(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json GetPedido(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json GetItemPedido(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json GetItemPedidoSemFiltro2(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json GetOperTPed(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json GetNrPedido(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json SetCancelaPed(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json SetCancelaItemPed(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json SetDesfazCancel(sqldb::Connection&, const nlohmann::json&, const std::string&);
// What the screen shows before acting: who is editing orders, commitments' balances.
nlohmann::json GetBloqueioPedido(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json GetSaldoEmpenho(sqldb::Connection&, const nlohmann::json&, const std::string&);
// Dry runs of the three Set... calls: their answer is what the call would change, or its refusal.
nlohmann::json GetSimulaCancelaPed(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json GetSimulaCancelaItemPed(sqldb::Connection&, const nlohmann::json&, const std::string&);
nlohmann::json GetSimulaDesfazCancel(sqldb::Connection&, const nlohmann::json&, const std::string&);

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
