#include "OperatorLoad.h"

#include "rpcclient/GetPedidoParams.h"

#include <algorithm>
#include <cmath>

namespace benchdeploy {

namespace {

const std::string OperBloq = "Operação bloqueada. Pedido em alteração por outro usuário.";
const std::string SaldoEmp = "Operação Bloqueada! Valor do pedido é maior que o saldo do empenho.";

std::size_t Column(const nlohmann::json& packet, const std::string& name) {
    const auto& fields = packet["fields"];
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i]["name"] == name)
            return i;
    }
    return 0;
}

} // namespace

double Percentile(const std::vector<double>& sorted, double fraction) {
    if (sorted.empty())
        return 0;
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::min(sorted.size(), std::max<std::size_t>(rank, 1)) - 1];
}

OperatorLoad::OperatorLoad(pedclient::FailoverClient client, std::string branch, std::string operatorCode,
                           std::string justification, std::vector<std::string> window, unsigned seed)
    : m_client(std::move(client)), m_branch(std::move(branch)), m_operator(std::move(operatorCode)),
      m_justification(std::move(justification)), m_window(std::move(window)), m_state(seed) {}

void OperatorLoad::Run(std::chrono::steady_clock::time_point until, LoadTally& tally) {
    while (std::chrono::steady_clock::now() < until) {
        try {
            Round(tally);
        } catch (const pedclient::RpcClientError& error) {
            std::lock_guard lock(tally.mutex);
            if (error.Code() == 1)
                ++tally.refused;
            else
                tally.failures.push_back(error.what());
        }
    }
}

nlohmann::json OperatorLoad::Timed(const std::string& method,
                                   const std::vector<std::pair<std::string, nlohmann::json>>& calls,
                                   LoadTally& tally) {
    const auto start = std::chrono::steady_clock::now();
    nlohmann::json result;
    if (calls.size() == 1) {
        result = m_client.Call(calls[0].first, calls[0].second);
    } else {
        std::vector<pedclient::RpcCall> batch;
        for (const auto& [name, params] : calls)
            batch.emplace_back(name, params);
        for (pedclient::BatchAnswer& answer : m_client.CallBatch(batch))
            result.push_back(answer.ok ? std::move(answer.result) : nlohmann::json());
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::lock_guard lock(tally.mutex);
    tally.milliseconds[method].push_back(ms);
    return result;
}

void OperatorLoad::Round(LoadTally& tally) {
    m_state = m_state * 1103515245u + 12345u;
    pedclient::GetPedidoParams filter{.cdFilial = m_branch, .tNrPedido = ""};
    filter.deNrPedido = m_window.front();
    filter.ateNrPedido = m_window.back();
    const nlohmann::json orders = Timed("GetPedido", {{"GetPedido", filter.ToJson()}}, tally)["packet"];
    if (m_state % 4 == 0)
        CancelOrReinstate(orders, tally);
    const std::size_t number = Column(orders, "NRPEDIDO");
    std::vector<std::pair<std::string, nlohmann::json>> itemCalls;
    for (std::size_t i = 0; i < 3 && !orders["rows"].empty(); ++i) {
        const auto& row = orders["rows"][(m_state / 7 + i) % orders["rows"].size()];
        itemCalls.push_back({"GetItemPedido", {m_branch, row[number]}});
    }
    if (itemCalls.empty())
        return;
    const nlohmann::json items = Timed("GetItemPedido (lote de 3)", itemCalls, tally);
    const std::size_t chosen = m_state % items.size();
    if (!items[chosen].is_object() || !Change("SetCancelaItemPed", items[chosen]["packet"], false, tally))
        return;
    Change("SetDesfazCancel", Timed("GetItemPedido", {itemCalls[chosen]}, tally)["packet"], true, tally);
}

void OperatorLoad::CancelOrReinstate(nlohmann::json orders, LoadTally& tally) {
    const std::size_t check = Column(orders, "IDCHECK");
    const std::size_t situation = Column(orders, "IDSITPEDIDO");
    const std::size_t commitment = Column(orders, "NREMPENHO");
    bool any = false;
    for (auto& row : orders["rows"]) {
        const std::string seen = row[situation].is_string() ? row[situation].get<std::string>() : "";
        const bool wanted = row[commitment].is_string() && (seen == "1" || seen == "2" || seen == "4");
        row[check] = wanted && !any ? "S" : "N";
        any = any || wanted;
    }
    if (!any)
        return;
    const nlohmann::json result = Timed(
        "SetCancelaPed",
        {{"SetCancelaPed", {m_operator, m_justification, orders, OperBloq, m_branch, SaldoEmp}}}, tally);
    std::lock_guard lock(tally.mutex);
    tally.rowsChanged["SetCancelaPed"] += result.at("rows").get<std::int64_t>();
}

bool OperatorLoad::Change(const std::string& method, nlohmann::json items, bool undo, LoadTally& tally) {
    const std::size_t check = Column(items, "IDCHECK");
    const std::size_t situation = Column(items, "IDSITITEMPED");
    int checked = 0;
    for (auto& row : items["rows"]) {
        const std::string seen = row[situation].is_string() ? row[situation].get<std::string>() : "";
        const bool wanted = undo ? seen == "5" : (seen == "1" || seen == "2" || seen == "3");
        if (wanted && checked < 2) {
            row[check] = "S";
            ++checked;
        }
    }
    if (checked == 0)
        return false;
    const nlohmann::json result =
        Timed(method, {{method, {m_operator, m_justification, items, OperBloq}}}, tally);
    std::lock_guard lock(tally.mutex);
    tally.rowsChanged[method] += result.at("rows").get<std::int64_t>();
    return true;
}

} // namespace benchdeploy
