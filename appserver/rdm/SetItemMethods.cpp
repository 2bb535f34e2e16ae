#include "rdm/Methods.h"
#include "rdm/OrderChange.h"
#include "rdm/OrderCommands.h"
#include "rdm/ClientPacket.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "sqldb/Transaction.h"

#include <map>

namespace pedserver {
namespace {

constexpr const char* kBalanceMessage = "Operação Bloqueada! Valor do pedido é maior que o saldo do empenho.";

struct ItemSelection {
    std::string filial;
    std::string pedido;
    std::map<std::string, std::string> items; // number -> situation seen
};

ItemSelection CheckedItems(const ClientPacket& packet) {
    ItemSelection selection;
    for (std::size_t row = 0; row < packet.RowCount(); ++row) {
        if (packet.Text(row, "IDCHECK") != "S")
            continue;
        const auto filial = packet.Text(row, "CDFILIAL");
        const auto pedido = packet.Text(row, "NRPEDIDO");
        if (selection.items.empty()) {
            selection.filial = filial;
            selection.pedido = pedido;
        } else if (filial != selection.filial || pedido != selection.pedido) {
            throw RpcError(RpcCode::InvalidParams, "Os itens marcados devem ser de um único pedido.");
        }
        const auto item = packet.Text(row, "NRITEMPED");
        if (!selection.items.emplace(item, packet.Text(row, "IDSITITEMPED")).second)
            throw RpcError(RpcCode::InvalidParams, "Item " + item + " repetido no pacote.");
    }
    return selection;
}

// What distinguishes cancelling items from undoing their cancellation.
struct ItemCall {
    const char* operation;
    std::string_view allowed; // the item situations the call acts on
    const char* refusal;      // why an item in another situation is refused
    std::string (*target)(const ItemState& item);
    // The order's new situation from its items' situations after the change; "" keeps it.
    std::string (*orderAfter)(const OrderState& order, const std::vector<std::string>& items);
};

const ItemState& FindItem(const OrderState& order, const std::string& number) {
    for (const auto& item : order.items) {
        if (item.number == number)
            return item;
    }
    throw RpcError(RpcCode::Refused,
                   "Item " + number + " não encontrado no " + OrderName(order.pedido) + ".");
}

void ApplyItems(OrderChange& change, const OrderState& order, const ItemSelection& selection,
                const ItemCall& call, const std::string& operBloq) {
    std::map<std::string, std::string> after;
    for (const auto& item : order.items)
        after[item.number] = item.situation;
    for (const auto& [number, seen] : selection.items) {
        const auto& item = FindItem(order, number);
        if (item.situation != seen)
            throw RpcError(RpcCode::Refused, operBloq);
        if (item.situation.size() != 1 || call.allowed.find(item.situation[0]) == std::string_view::npos)
            throw RpcError(RpcCode::Refused, "Item " + number + " " + call.refusal + ".");
        after[number] = call.target(item);
        change.SetItem(order, item, after[number], call.operation);
    }
    std::vector<std::string> situations;
    for (const auto& [number, situation] : after)
        situations.push_back(situation);
    const auto orderSituation = call.orderAfter(order, situations);
    if (!orderSituation.empty() && orderSituation != order.situation)
        change.SetOrder(order, orderSituation, call.operation);
}

CommandOutcome ChangeItems(sqldb::Connection& connection, const nlohmann::json& params,
                           const std::string& tokenOperator, std::string_view method, Finish finish,
                           const ItemCall& call) {
    const ParamReader reader(params, method, 4);
    const auto operador = reader.Text(0, "operador", Size::Operador);
    const auto justificativa = reader.Text(1, "justificativa", Size::Justificativa);
    const ClientPacket packet(reader.Packet(2, "itens"),
                              {"CDFILIAL", "NRPEDIDO", "NRITEMPED", "IDCHECK", "IDSITITEMPED"});
    const auto operBloq = reader.Text(3, "mensagem de bloqueio", Size::Mensagem);
    RequireTokenOperator(operador, tokenOperator);
    const auto selection = CheckedItems(packet);

    sqldb::Transaction transaction(connection);
    OrderChange change(connection, operador, justificativa);
    if (selection.items.empty())
        return {};
    // An order under a commitment is no exception: SetItem moves each item's value between the
    // item and the commitment, and SettleCommitments refuses a balance that would go negative.
    const auto order = change.Lock(selection.filial, selection.pedido, std::nullopt, operBloq);
    ApplyItems(change, order, selection, call, operBloq);
    change.SettleCommitments(kBalanceMessage);
    // A dry run leaves the transaction to roll back as it ends.
    if (finish == Finish::Commit)
        transaction.Commit();
    return {selection.items.size(), change.Record()};
}

const ItemCall kCancel{"CI", "123", "não pode ser cancelado",
                       [](const ItemState&) { return std::string("5"); },
                       [](const OrderState&, const std::vector<std::string>& items) {
                           for (const auto& situation : items) {
                               if (situation != "4" && situation != "5" && situation != "6")
                                   return std::string();
                           }
                           return std::string("4");
                       }};

const ItemCall kUndo{
    "DI", "5", "não está cancelado",
    [](const ItemState& item) { return item.previous.empty() ? std::string("1") : item.previous; },
    [](const OrderState& order, const std::vector<std::string>& items) {
        return order.situation == "4" ? LiveOrderSituation(items) : std::string();
    }};

} // namespace

CommandOutcome CancelItems(sqldb::Connection& connection, const nlohmann::json& params,
                           const std::string& tokenOperator, std::string_view method, Finish finish) {
    return ChangeItems(connection, params, tokenOperator, method, finish, kCancel);
}

CommandOutcome UndoItemCancellation(sqldb::Connection& connection, const nlohmann::json& params,
                                    const std::string& tokenOperator, std::string_view method,
                                    Finish finish) {
    return ChangeItems(connection, params, tokenOperator, method, finish, kUndo);
}

MethodResult SetCancelaItemPed(const MethodCall& call) {
    const auto outcome =
        CancelItems(call.connection, call.params, call.tokenOperator, "SetCancelaItemPed", Finish::Commit);
    return MethodResult::Changed(outcome.rows);
}

MethodResult SetDesfazCancel(const MethodCall& call) {
    const auto outcome =
        UndoItemCancellation(call.connection, call.params, call.tokenOperator, "SetDesfazCancel", Finish::Commit);
    return MethodResult::Changed(outcome.rows);
}

} // namespace pedserver
