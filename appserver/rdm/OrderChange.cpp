#include "rdm/OrderChange.h"

#include "rdm/RpcError.h"
#include "storage/Timestamps.h"

namespace pedserver {
namespace {

std::string ForUpdate(const sqldb::Connection& connection) {
    // SQLite has no row locks: BEGIN IMMEDIATE already made this the only writer.
    return connection.GetBackend() == sqldb::Backend::Postgres ? " FOR UPDATE" : "";
}

sqldb::Value OrNull(const std::string& text) {
    if (text.empty())
        return std::monostate{};
    return text;
}

} // namespace

std::string OrderName(const std::string& pedido) {
    return "Pedido " + pedido;
}

std::string LiveOrderSituation(const std::vector<std::string>& itemSituations) {
    for (const auto& situation : itemSituations) {
        if (situation != "1" && situation != "5")
            return "2";
    }
    return "1";
}

OrderChange::OrderChange(sqldb::Connection& connection, std::string operatorCode, std::string justification)
    : m_connection(connection), m_operator(std::move(operatorCode)),
      m_justification(std::move(justification)), m_now(NowTimestamp()) {
    if (m_justification.empty())
        throw RpcError(RpcCode::InvalidParams, "Justificativa deve ser informada.");
    if (m_connection
            .Query("SELECT 1 FROM JUSTEXCHIS WHERE CDJUSTEXCHIS = :JUSTIFICATIVA",
                   {{"JUSTIFICATIVA", m_justification}})
            .IsEmpty())
        throw RpcError(RpcCode::Refused, "Justificativa de exclusão do historico não cadastrada.");
}

OrderState OrderChange::Lock(const std::string& filial, const std::string& pedido,
                             const std::optional<std::string>& seenSituation,
                             const std::string& lockedMessage) {
    // Another seller's order is read (and locked) no more than a missing one, and refused alike,
    // so that neither the answer nor the time it takes tells a restricted operator it exists.
    sqldb::Params params{{"FILIAL", filial}, {"PEDIDO", pedido}};
    const std::string visible = SellerScope::Condition(filial, "PEDIDO.CDVENDEDOR", m_operator, params);
    const auto rows =
        m_connection.Query("SELECT IDSITPEDIDO, NREMPENHO, CDOPERALTE FROM PEDIDO WHERE "
                           "CDFILIAL = :FILIAL AND NRPEDIDO = :PEDIDO" +
                               visible + ForUpdate(m_connection),
                           params);
    if (rows.IsEmpty())
        throw RpcError(RpcCode::Refused, OrderName(pedido) + " não encontrado na filial " + filial + ".");
    const auto editor = rows.Text(0, "CDOPERALTE");
    if ((!editor.empty() && editor != m_operator) ||
        (seenSituation && rows.Text(0, "IDSITPEDIDO") != *seenSituation))
        throw RpcError(RpcCode::Refused, lockedMessage);
    OrderState order{filial, pedido, rows.Text(0, "IDSITPEDIDO"), rows.Text(0, "NREMPENHO"), {}};
    for (const auto& item :
         m_connection.Query("SELECT NRITEMPED, IDSITITEMPED, IDSITANTCANC, QTITEMPED, VRPREUNITPED "
                            "FROM ITEMPEDIDO WHERE CDFILIAL = :FILIAL AND NRPEDIDO = :PEDIDO "
                            "ORDER BY NRITEMPED",
                            {{"FILIAL", filial}, {"PEDIDO", pedido}})) {
        order.items.push_back(
            {sqldb::AsText(item[0]), sqldb::AsText(item[1]), sqldb::AsText(item[2]),
             Decimal::FromValue(item[3]).Times(Decimal::FromValue(item[4])).RoundedToCents()});
    }
    return order;
}

bool OrderChange::BranchFlag(const std::string& filial, const std::string& column) {
    // The column name comes from our own code, never from a request.
    const auto rows = m_connection.Query("SELECT " + column + " FROM PARAMPEDIDO WHERE CDFILIAL = :FILIAL",
                                         {{"FILIAL", filial}});
    return !rows.IsEmpty() && rows.Text(0, column) == "S";
}

void OrderChange::SetItem(const OrderState& order, const ItemState& item, const std::string& situation,
                          const std::string& operation) {
    const bool cancelling = situation == "5";
    m_connection.Execute(
        "UPDATE ITEMPEDIDO SET IDSITITEMPED = :SITUACAO, IDSITANTCANC = :ANTERIOR, CDJUSTEXCHIS = "
        ":JUSTIFICATIVA, CDOPERADOR = :OPERADOR WHERE CDFILIAL = :FILIAL AND NRPEDIDO = :PEDIDO AND "
        "NRITEMPED = :ITEM",
        {{"SITUACAO", situation},
         {"ANTERIOR", OrNull(cancelling ? item.situation : "")},
         {"JUSTIFICATIVA", OrNull(cancelling ? m_justification : "")},
         {"OPERADOR", m_operator},
         {"FILIAL", order.filial},
         {"PEDIDO", order.pedido},
         {"ITEM", item.number}});
    if (!order.commitment.empty() && (item.situation == "5") != cancelling) {
        auto& delta = m_commitmentDeltas[order.commitment];
        delta = cancelling ? delta + item.value : delta - item.value;
    }
    Audit(order, item.number, operation, item.situation, situation);
}

void OrderChange::SetOrder(const OrderState& order, const std::string& situation,
                           const std::string& operation) {
    m_connection.Execute(
        "UPDATE PEDIDO SET IDSITPEDIDO = :SITUACAO WHERE CDFILIAL = :FILIAL AND NRPEDIDO = :PEDIDO",
        {{"SITUACAO", situation}, {"FILIAL", order.filial}, {"PEDIDO", order.pedido}});
    Audit(order, "", operation, order.situation, situation);
}

void OrderChange::SettleCommitments(const std::string& balanceMessage) {
    // std::map walks the commitments in key order, so concurrent calls lock them in one order.
    for (const auto& [commitment, delta] : m_commitmentDeltas) {
        const auto rows = m_connection.Query("SELECT VRSALDO FROM EMPENHO WHERE NREMPENHO = :EMPENHO" +
                                                 ForUpdate(m_connection),
                                             {{"EMPENHO", commitment}});
        const auto balance = rows.IsEmpty() ? Decimal() : Decimal::FromValue(rows.At(0, "VRSALDO"));
        if (balance + delta < Decimal())
            throw RpcError(RpcCode::Refused, balanceMessage);
        if (rows.IsEmpty())
            continue;
        m_connection.Execute("UPDATE EMPENHO SET VRSALDO = :SALDO WHERE NREMPENHO = :EMPENHO",
                             {{"SALDO", (balance + delta).ToText()}, {"EMPENHO", commitment}});
        m_record.balances.push_back({commitment, balance, balance + delta});
    }
    m_commitmentDeltas.clear();
}

void OrderChange::Audit(const OrderState& order, const std::string& item, const std::string& operation,
                        const std::string& before, const std::string& after) {
    m_connection.Execute("INSERT INTO HISTCANCPED (CDFILIAL, NRPEDIDO, NRITEMPED, IDOPERACAO, CDJUSTEXCHIS, "
                         "CDOPERADOR, DTOPERACAO, "
                         "IDSITANTERIOR, IDSITNOVA) VALUES (:FILIAL, :PEDIDO, :ITEM, :OPERACAO, "
                         ":JUSTIFICATIVA, :OPERADOR, :AGORA, "
                         ":ANTES, :DEPOIS)",
                         {{"FILIAL", order.filial},
                          {"PEDIDO", order.pedido},
                          {"ITEM", OrNull(item)},
                          {"OPERACAO", operation},
                          {"JUSTIFICATIVA", m_justification},
                          {"OPERADOR", m_operator},
                          {"AGORA", m_now},
                          {"ANTES", OrNull(before)},
                          {"DEPOIS", after}});
    m_record.situations.push_back({order.filial, order.pedido, item, before, after});
}

} // namespace pedserver
