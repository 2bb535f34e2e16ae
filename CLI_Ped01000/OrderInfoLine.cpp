#include "CLI_Ped01000/OrderInfoLine.h"

#include "CLI_Ped01000/PacketFields.h"
#include "CLI_Ped01000/TextoReais.h"
#include "RdmCancelaPedido.h"
#include "data/DateTime.h"
#include "data/Format.h"

#include <set>
#include <stdexcept>

namespace {

const data::Packet& PacketOf(const RemoteResult& result) {
    if (!result.Ok || !result.Packet)
        throw std::runtime_error(result.Message);
    return *result.Packet;
}

void AppendTwoDigits(std::string& text, int value) {
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

std::string SinceText(double since, double today) {
    int hh = 0, mm = 0, ss = 0;
    data::DecodeTime(since, hh, mm, ss);
    std::string text = data::DateOf(since) == data::DateOf(today) ? "" : data::FormatDate(since) + " ";
    AppendTwoDigits(text, hh);
    text += ':';
    AppendTwoDigits(text, mm);
    return text;
}

} // namespace

void OrderInfoLine::Clear() {
    m_editors.clear();
    m_balances.clear();
}

void OrderInfoLine::Read(TNetConnection& connection, const std::string& branch,
                         const std::vector<Order>& orders) {
    Clear();
    if (orders.empty())
        return;
    std::set<std::string> numbers, commitments;
    for (const Order& order : orders) {
        numbers.insert(order.Number);
        if (!order.Commitment.empty())
            commitments.insert(order.Commitment);
    }
    try {
        RdmCancelaPedido rdm(connection);
        const std::vector<RemoteResult> results =
            rdm.GetBloqueioESaldo(branch, {numbers.begin(), numbers.end()}, {commitments.begin(), commitments.end()});
        ReadEditors(PacketOf(results.at(0)));
        ReadBalances(PacketOf(results.at(1)));
    } catch (const std::exception&) {
        // The line only informs; the orders are loaded whether or not it could be read.
        Clear();
    }
}

void OrderInfoLine::ReadEditors(const data::Packet& packet) {
    const PacketFields fields(packet, "GetBloqueioPedido");
    for (const auto& row : packet.Rows)
        m_editors[fields.Text(row, "NRPEDIDO")] = {
            fields.Text(row, "CDOPERALTE"), fields.Text(row, "NMOPERADOR"), fields.Number(row, "DTOPERALTE")};
}

void OrderInfoLine::ReadBalances(const data::Packet& packet) {
    const PacketFields fields(packet, "GetSaldoEmpenho");
    for (const auto& row : packet.Rows)
        m_balances[fields.Text(row, "NREMPENHO")] = fields.Number(row, "VRSALDO");
}

std::string OrderInfoLine::LockHolder(const std::string& number, double today) const {
    const auto editor = m_editors.find(number);
    if (editor == m_editors.end())
        return "";
    std::string holder = editor->second.Code;
    if (!editor->second.Name.empty())
        holder += " - " + editor->second.Name;
    if (editor->second.Since != 0)
        holder += " desde " + SinceText(editor->second.Since, today);
    return holder;
}

std::string OrderInfoLine::Text(const std::string& number, const std::string& commitment,
                                double today) const {
    const std::string holder = LockHolder(number, today);
    std::string text = holder.empty() ? "" : "Em edição por " + holder;
    if (const auto balance = m_balances.find(commitment);
        !commitment.empty() && balance != m_balances.end()) {
        text += text.empty() ? "" : " | ";
        text += "Empenho " + commitment + ": saldo " + TextoReais(balance->second);
    }
    return text;
}
