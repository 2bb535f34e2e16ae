#include "RdmCancelaPedido.h"

#include <iterator>
#include <utility>

namespace {

// The codes "_"-joined in lists of at most `most` codes each; no code gives one empty list.
std::vector<std::string> ListsOfAtMost(const std::vector<std::string>& codes, std::size_t most) {
    std::vector<std::string> lists(1);
    std::size_t inLast = 0;
    for (const std::string& code : codes) {
        if (inLast == most) {
            lists.emplace_back();
            inLast = 0;
        }
        lists.back() += (inLast++ == 0 ? "" : "_") + code;
    }
    return lists;
}

// The results of the calls as one: their packets' rows in call order, or the first failure.
RemoteResult RowsOfAll(std::vector<RemoteResult>::iterator first, std::vector<RemoteResult>::iterator last) {
    RemoteResult all = std::move(*first);
    for (auto part = first + 1; all.Ok && part != last; ++part) {
        if (!part->Ok || !part->Packet)
            return std::move(*part);
        for (auto& row : part->Packet->Rows)
            all.Packet->Rows.push_back(std::move(row));
    }
    return all;
}

} // namespace

RemoteResult RdmCancelaPedido::GetParamPedido(std::string cdFilial) {
    return m_connection.Call("GetParamPedido", {std::move(cdFilial)});
}

RemoteResult RdmCancelaPedido::GetPedido(std::string& cdFilial, std::string& vendedor, std::string& tVendedor,
                                         std::string& cliente, std::string& tCliente, std::string& produto,
                                         std::string& tProduto, std::string& prioridade,
                                         std::string& sitPedido, double& deEmissao, double& ateEmissao,
                                         std::string& tEmissao, double& deEntrega, double& ateEntrega,
                                         std::string& tEntrega, std::string& deNrPedido,
                                         std::string& ateNrPedido, std::string& nrPedido,
                                         std::string& tNrPedido, std::string& sitItemPedido) {
    return m_connection.Call("GetPedido", {cdFilial,
                                           vendedor,
                                           tVendedor,
                                           cliente,
                                           tCliente,
                                           produto,
                                           tProduto,
                                           prioridade,
                                           sitPedido,
                                           RemoteDate{deEmissao},
                                           RemoteDate{ateEmissao},
                                           tEmissao,
                                           RemoteDate{deEntrega},
                                           RemoteDate{ateEntrega},
                                           tEntrega,
                                           deNrPedido,
                                           ateNrPedido,
                                           nrPedido,
                                           tNrPedido,
                                           sitItemPedido});
}

RemoteResult RdmCancelaPedido::GetItemPedido(std::string cdFilial, std::string nrPedido) {
    return m_connection.Call("GetItemPedido", {std::move(cdFilial), std::move(nrPedido)});
}

RemoteResult RdmCancelaPedido::GetItemPedidoSemFiltro2(std::string cdFilial, std::string nrPedido) {
    return m_connection.Call("GetItemPedidoSemFiltro2", {std::move(cdFilial), std::move(nrPedido)});
}

namespace {

std::vector<RemoteCall> PerOrder(const char* method, const std::vector<RdmCancelaPedido::OrderKey>& orders) {
    std::vector<RemoteCall> calls;
    calls.reserve(orders.size());
    for (const auto& [cdFilial, nrPedido] : orders)
        calls.push_back({method, {cdFilial, nrPedido}});
    return calls;
}

} // namespace

std::vector<RemoteResult> RdmCancelaPedido::GetItemPedido(const std::vector<OrderKey>& orders) {
    return m_connection.CallBatch(PerOrder("GetItemPedido", orders));
}

TNetConnection::PendingBatch RdmCancelaPedido::StartBlockingThenItems(const std::vector<OrderKey>& blocking,
                                                                      const std::vector<OrderKey>& items) {
    std::vector<RemoteCall> calls = PerOrder("GetItemPedidoSemFiltro2", blocking);
    std::vector<RemoteCall> itemCalls = PerOrder("GetItemPedido", items);
    calls.insert(calls.end(), std::make_move_iterator(itemCalls.begin()),
                 std::make_move_iterator(itemCalls.end()));
    return m_connection.StartBatch(calls);
}

RemoteResult RdmCancelaPedido::getOperTPed(std::string cdFilial, std::string operador) {
    return m_connection.Call("getOperTPed", {std::move(cdFilial), std::move(operador)});
}

RemoteResult RdmCancelaPedido::GetNrPedido(std::string cdFilial, std::string vendedor, std::string todos) {
    return m_connection.Call("GetNrPedido", {std::move(cdFilial), std::move(vendedor), std::move(todos)});
}

namespace {

// The six arguments of SetCancelaPed and of its dry run.
std::vector<RemoteArg> OrderCommandArgs(std::string operador, std::string cdJust, data::Packet pedidos,
                                        std::string operBloq, std::string cdFilial, std::string saldoEmp) {
    return {std::move(operador), std::move(cdJust),   std::move(pedidos),
            std::move(operBloq), std::move(cdFilial), std::move(saldoEmp)};
}

// The four arguments of the item commands and of their dry runs.
std::vector<RemoteArg> ItemCommandArgs(std::string operador, std::string cdJust, data::Packet itens,
                                       std::string operBloq) {
    return {std::move(operador), std::move(cdJust), std::move(itens), std::move(operBloq)};
}

} // namespace

RemoteResult RdmCancelaPedido::SetCancelaPed(std::string operador, std::string cdJust, data::Packet pedidos,
                                             std::string operBloq, std::string cdFilial,
                                             std::string saldoEmp) {
    return m_connection.Call("SetCancelaPed",
                             OrderCommandArgs(std::move(operador), std::move(cdJust), std::move(pedidos),
                                              std::move(operBloq), std::move(cdFilial), std::move(saldoEmp)));
}

RemoteResult RdmCancelaPedido::SetCancelaItemPed(std::string operador, std::string cdJust, data::Packet itens,
                                                 std::string operBloq) {
    return m_connection.Call("SetCancelaItemPed", ItemCommandArgs(std::move(operador), std::move(cdJust),
                                                                  std::move(itens), std::move(operBloq)));
}

RemoteResult RdmCancelaPedido::SetDesfazCancel(std::string operador, std::string cdJust, data::Packet itens,
                                               std::string operBloq) {
    return m_connection.Call("SetDesfazCancel", ItemCommandArgs(std::move(operador), std::move(cdJust),
                                                                std::move(itens), std::move(operBloq)));
}

std::vector<RemoteResult> RdmCancelaPedido::GetBloqueioESaldo(const std::string& cdFilial,
                                                              const std::vector<std::string>& nrPedidos,
                                                              const std::vector<std::string>& nrEmpenhos) {
    const std::vector<std::string> orderLists = ListsOfAtMost(nrPedidos, MaxListCodes);
    const std::vector<std::string> commitmentLists = ListsOfAtMost(nrEmpenhos, MaxListCodes);
    std::vector<RemoteCall> calls;
    for (const std::string& list : orderLists)
        calls.push_back({"GetBloqueioPedido", {cdFilial, list}});
    for (const std::string& list : commitmentLists)
        calls.push_back({"GetSaldoEmpenho", {list}});
    std::vector<RemoteResult> results = m_connection.CallBatch(calls);
    const auto split = results.begin() + static_cast<std::ptrdiff_t>(orderLists.size());
    return {RowsOfAll(results.begin(), split), RowsOfAll(split, results.end())};
}

RemoteResult RdmCancelaPedido::GetSimulaCancelaPed(std::string operador, std::string cdJust,
                                                   data::Packet pedidos, std::string operBloq,
                                                   std::string cdFilial, std::string saldoEmp) {
    return m_connection.Call("GetSimulaCancelaPed",
                             OrderCommandArgs(std::move(operador), std::move(cdJust), std::move(pedidos),
                                              std::move(operBloq), std::move(cdFilial), std::move(saldoEmp)));
}

RemoteResult RdmCancelaPedido::GetSimulaCancelaItemPed(std::string operador, std::string cdJust,
                                                       data::Packet itens, std::string operBloq) {
    return m_connection.Call(
        "GetSimulaCancelaItemPed",
        ItemCommandArgs(std::move(operador), std::move(cdJust), std::move(itens), std::move(operBloq)));
}

RemoteResult RdmCancelaPedido::GetSimulaDesfazCancel(std::string operador, std::string cdJust,
                                                     data::Packet itens, std::string operBloq) {
    return m_connection.Call("GetSimulaDesfazCancel", ItemCommandArgs(std::move(operador), std::move(cdJust),
                                                                      std::move(itens), std::move(operBloq)));
}
