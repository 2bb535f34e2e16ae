#include "rdm/Methods.h"
#include "rdm/OrderCommands.h"
#include "rdm/Packet.h"
#include "rdm/RpcError.h"

#include <functional>

namespace pedserver {
namespace {

Packet DryRunPacket(AnswerBudget& budget) {
    return Packet(budget, {{"TPLINHA", "string", 1},
                   {"CDFILIAL", "string", 4},
                   {"NRPEDIDO", "string", 10},
                   {"NRITEMPED", "string", 10},
                   {"IDSITANTERIOR", "string", 1},
                   {"IDSITNOVA", "string", 1},
                   {"NREMPENHO", "string", 20},
                   {"VRSALDOANTERIOR", "float"},
                   {"VRSALDONOVO", "float"},
                   {"CDERRO", "integer"},
                   {"DSMENSAGEM", "string", static_cast<int>(Size::Mensagem)}});
}

PacketCell OrNull(const std::string& text) {
    return text.empty() ? PacketCell() : PacketCell(text);
}

// The rows of a command that went through: each situation it wrote, then each balance it settled.
void AddChanges(Packet& packet, const ChangeRecord& record) {
    for (const auto& change : record.situations) {
        packet.AddRow({change.item.empty() ? "P" : "I", change.filial, change.pedido, OrNull(change.item),
                       OrNull(change.before), change.after, nullptr, nullptr, nullptr, nullptr, nullptr});
    }
    for (const auto& balance : record.balances) {
        packet.AddRow({"E", nullptr, nullptr, nullptr, nullptr, nullptr, balance.commitment,
                       balance.before.ToDouble(), balance.after.ToDouble(), nullptr, nullptr});
    }
}

// Runs the command to its end and rolls it back. The refusals the command would meet with (its
// business rules and the operator's rights) are the answer; malformed parameters stay errors.
MethodResult DryRun(AnswerBudget& budget, const std::function<CommandOutcome()>& command) {
    Packet packet = DryRunPacket(budget);
    try {
        AddChanges(packet, command().record);
    } catch (const RpcError& error) {
        if (error.Code() != RpcCode::Refused && error.Code() != RpcCode::Forbidden)
            throw;
        packet.AddRow({"R", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       error.Code(), error.what()});
    }
    return packet.ToResult();
}

} // namespace

MethodResult GetSimulaCancelaPed(const MethodCall& call) {
    return DryRun(call.answer, [&] {
        return CancelOrders(call.connection, call.params, call.tokenOperator, "GetSimulaCancelaPed",
                            Finish::RollBack);
    });
}

MethodResult GetSimulaCancelaItemPed(const MethodCall& call) {
    return DryRun(call.answer, [&] {
        return CancelItems(call.connection, call.params, call.tokenOperator, "GetSimulaCancelaItemPed",
                           Finish::RollBack);
    });
}

MethodResult GetSimulaDesfazCancel(const MethodCall& call) {
    return DryRun(call.answer, [&] {
        return UndoItemCancellation(call.connection, call.params, call.tokenOperator, "GetSimulaDesfazCancel",
                                    Finish::RollBack);
    });
}

} // namespace pedserver
