#include "rdm/Methods.h"
#include "rdm/OrderChange.h"
#include "rdm/OrderCommands.h"
#include "rdm/ClientPacket.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "protocol/Situations.h"
#include "sqldb/Transaction.h"

#include <algorithm>
#include <map>

namespace pedserver {
namespace {

bool AnyItemIn(const OrderState& order, std::string_view situations) {
    return std::any_of(order.items.begin(), order.items.end(), [&](const ItemState& item) {
        return protocol::situations::IsIn(item.situation, situations);
    });
}

// Whether the screen's load check lets the operator cancel the order.
bool Cancellable(sqldb::Connection& connection, const OrderState& order) {
    if (order.items.empty())
        return false;
    if (order.situation == "1")
        return !AnyItemIn(order, "5");
    if (order.situation == "2")
        return !AnyItemIn(order, protocol::situations::ItemsBlockingOrderCancel) && BlockingItemsOf(connection, order.filial, {order.pedido}).IsEmpty();
    return false;
}

void Cancel(OrderChange& change, const OrderState& order) {
    for (const auto& item : order.items) {
        if (item.situation == "1" || item.situation == "2" || item.situation == "3")
            change.SetItem(order, item, "5", "CP");
    }
    change.SetOrder(order, "4", "CP");
}

void Reinstate(OrderChange& change, const OrderState& order) {
    std::vector<std::string> after;
    for (const auto& item : order.items) {
        if (item.situation != "5") {
            after.push_back(item.situation);
            continue;
        }
        after.push_back(item.previous.empty() ? "1" : item.previous);
        change.SetItem(order, item, after.back(), "RP");
    }
    change.SetOrder(order, LiveOrderSituation(after), "RP");
}

// The checked orders as (number -> situation seen), refusing rows of another branch and repeats.
std::map<std::string, std::string> CheckedOrders(const ClientPacket& packet, const std::string& filial) {
    std::map<std::string, std::string> checked;
    for (std::size_t row = 0; row < packet.RowCount(); ++row) {
        if (packet.Text(row, "IDCHECK") != "S")
            continue;
        const auto pedido = packet.Text(row, "NRPEDIDO");
        if (packet.Text(row, "CDFILIAL") != filial)
            throw RpcError(RpcCode::InvalidParams, OrderName(pedido) + " não é da filial " + filial + ".");
        if (!checked.emplace(pedido, packet.Text(row, "IDSITPEDIDO")).second)
            throw RpcError(RpcCode::InvalidParams, OrderName(pedido) + " repetido no pacote.");
    }
    return checked;
}

} // namespace

CommandOutcome CancelOrders(sqldb::Connection& connection, const nlohmann::json& params,
                            const std::string& tokenOperator, std::string_view method, Finish finish) {
    const ParamReader reader(params, method, 6);
    const auto operador = reader.Text(0, "operador", Size::Operador);
    const auto justificativa = reader.Text(1, "justificativa", Size::Justificativa);
    const ClientPacket packet(reader.Packet(2, "pedidos"),
                              {"CDFILIAL", "NRPEDIDO", "IDCHECK", "IDSITPEDIDO"});
    const auto operBloq = reader.Text(3, "mensagem de bloqueio", Size::Mensagem);
    const auto filial = reader.Text(4, "filial", Size::Filial);
    const auto saldoEmp = reader.Text(5, "mensagem de saldo", Size::Mensagem);
    RequireTokenOperator(operador, tokenOperator);
    const auto checked = CheckedOrders(packet, filial);

    sqldb::Transaction transaction(connection);
    OrderChange change(connection, operador, justificativa);
    const bool commitments = change.BranchFlag(filial, "IDUTCTREMPEN");
    // The map is ordered by order number, so concurrent calls lock orders in the same order.
    for (const auto& [pedido, seen] : checked) {
        const auto order = change.Lock(filial, pedido, seen, operBloq);
        if (Cancellable(connection, order))
            Cancel(change, order);
        else if (order.situation == "4" && commitments && !order.commitment.empty())
            Reinstate(change, order);
        else
            throw RpcError(RpcCode::Refused, OrderName(pedido) + " não pode ser cancelado.");
    }
    change.SettleCommitments(saldoEmp);
    // A dry run leaves the transaction to roll back as it ends.
    if (finish == Finish::Commit)
        transaction.Commit();
    return {checked.size(), change.Record()};
}

MethodResult SetCancelaPed(const MethodCall& call) {
    const auto outcome =
        CancelOrders(call.connection, call.params, call.tokenOperator, "SetCancelaPed", Finish::Commit);
    return MethodResult::Changed(outcome.rows);
}

} // namespace pedserver
