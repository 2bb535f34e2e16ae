#pragma once

#include "RemoteResult.h"
#include "TNetConnection.h"
#include "data/Packet.h"

#include <string>
#include <utility>
#include <vector>

// The methods of the remote data module "Ped01000.rdmCancelaPedido" as the module calls them,
// over an open TNetConnection. Every method returns the server's answer unchecked, for
// Consiste::CheckResultServ.
class RdmCancelaPedido {
public:
    explicit RdmCancelaPedido(TNetConnection& connection) : m_connection(connection) {}

    RemoteResult GetParamPedido(std::string cdFilial);
    // Dates are date values, 0 for no date; "T" in a T... argument lifts that criterion.
    RemoteResult GetPedido(std::string& cdFilial, std::string& vendedor, std::string& tVendedor,
                           std::string& cliente, std::string& tCliente, std::string& produto,
                           std::string& tProduto, std::string& prioridade, std::string& sitPedido,
                           double& deEmissao, double& ateEmissao, std::string& tEmissao, double& deEntrega,
                           double& ateEntrega, std::string& tEntrega, std::string& deNrPedido,
                           std::string& ateNrPedido, std::string& nrPedido, std::string& tNrPedido,
                           std::string& sitItemPedido);
    RemoteResult GetItemPedido(std::string cdFilial, std::string nrPedido);
    RemoteResult GetItemPedidoSemFiltro2(std::string cdFilial, std::string nrPedido);
    // The same for many orders (branch, order number) in one exchange; one result per order.
    using OrderKey = std::pair<std::string, std::string>;
    std::vector<RemoteResult> GetItemPedido(const std::vector<OrderKey>& orders);
    // GetItemPedidoSemFiltro2 of the orders `blocking`, then GetItemPedido of the orders `items`,
    // sent as one batch whose results are taken in that order (TNetConnection::TakeResults), so
    // that the server reads the items while the caller looks at the blocking items.
    TNetConnection::PendingBatch StartBlockingThenItems(const std::vector<OrderKey>& blocking,
                                                        const std::vector<OrderKey>& items);
    RemoteResult getOperTPed(std::string cdFilial, std::string operador);
    // vendedor may be empty; todos is "T" for every seller or empty.
    RemoteResult GetNrPedido(std::string cdFilial, std::string vendedor, std::string todos);
    RemoteResult SetCancelaPed(std::string operador, std::string cdJust, data::Packet pedidos,
                               std::string operBloq, std::string cdFilial, std::string saldoEmp);
    RemoteResult SetCancelaItemPed(std::string operador, std::string cdJust, data::Packet itens,
                                   std::string operBloq);
    RemoteResult SetDesfazCancel(std::string operador, std::string cdJust, data::Packet itens,
                                 std::string operBloq);

    // Who is editing which of the orders and the balances of the commitments, read in one
    // exchange: GetBloqueioPedido's result, then GetSaldoEmpenho's. The server takes at most
    // MaxListCodes codes a list, so longer lists go as several calls whose rows come back as one.
    std::vector<RemoteResult> GetBloqueioESaldo(const std::string& cdFilial, const std::vector<std::string>& nrPedidos,
                                                const std::vector<std::string>& nrEmpenhos);
    static constexpr std::size_t MaxListCodes = 1000;
    // Dry runs: the same arguments as the Set... call; the packet says what it would change or why
    // it would be refused, and nothing is changed.
    RemoteResult GetSimulaCancelaPed(std::string operador, std::string cdJust, data::Packet pedidos,
                                     std::string operBloq, std::string cdFilial, std::string saldoEmp);
    RemoteResult GetSimulaCancelaItemPed(std::string operador, std::string cdJust, data::Packet itens,
                                         std::string operBloq);
    RemoteResult GetSimulaDesfazCancel(std::string operador, std::string cdJust, data::Packet itens,
                                       std::string operBloq);

private:
    TNetConnection& m_connection;
};
