#include "rdm/BatchReads.h"

#include "rdm/Methods.h"

#include <algorithm>
#include <set>

namespace pedserver {

const std::vector<BatchReads::Row>* BatchReads::RowsOf(const std::string& method, const std::string& filial,
                                                        const std::string& pedido, const Reader& read) {
    std::lock_guard lock(m_mutex);
    const auto key = std::make_pair(method, filial);
    auto found = m_read.find(key);
    if (found == m_read.end()) {
        const std::vector<std::string> orders = OrdersOf(method, filial);
        OrderRows rows;
        for (std::size_t first = 0; first < orders.size(); first += OrdersPerStatement) {
            const auto begin = orders.begin() + static_cast<std::ptrdiff_t>(first);
            const auto end = orders.begin() + static_cast<std::ptrdiff_t>(std::min(orders.size(), first + OrdersPerStatement));
            for (auto& [order, orderRows] : read(filial, std::vector<std::string>(begin, end)))
                rows[order] = std::move(orderRows);
        }
        for (const std::string& order : orders)
            rows.try_emplace(order);
        found = m_read.emplace(key, std::move(rows)).first;
    }
    const auto order = found->second.find(pedido);
    return order == found->second.end() ? nullptr : &order->second;
}

std::string BatchReads::OrderList(const std::vector<std::string>& orders, sqldb::Params& params) {
    std::string list;
    for (std::size_t i = 0; i < orders.size(); ++i) {
        const std::string name = "ORDER" + std::to_string(i);
        list += (i ? ", :" : ":") + name;
        params[name] = orders[i];
    }
    return list;
}

std::vector<std::string> BatchReads::OrdersOf(const std::string& method, const std::string& filial) const {
    std::vector<std::string> orders;
    std::set<std::string> seen;
    for (const nlohmann::json& call : m_batch) {
        if (!call.is_object())
            continue;
        const auto name = call.find("method");
        const auto params = call.find("params");
        if (name == call.end() || *name != method || params == call.end() || !params->is_array() ||
            params->size() < 2 || (*params)[0] != filial || !(*params)[1].is_string())
            continue;
        const std::string& pedido = (*params)[1].get_ref<const std::string&>();
        if (pedido.size() <= Size::Pedido && seen.insert(pedido).second)
            orders.push_back(pedido);
    }
    return orders;
}

} // namespace pedserver
