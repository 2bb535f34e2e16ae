#include "CLI_Ped01000/OrderItemsPrefetch.h"

#include "Consiste.h"
#include "protocol/Situations.h"

#include <algorithm>

OrderItemsPrefetch::OrderItemsPrefetch(TNetConnection& connection, const std::vector<Order>& orders) {
    std::vector<Key> keys;
    keys.reserve(orders.size());
    for (const Order& order : orders)
        keys.emplace_back(order.Branch, order.Number);
    RdmCancelaPedido rdm(connection);
    m_items = Checked(keys, rdm.GetItemPedido(keys));
    std::vector<Key> inProgress;
    for (const Order& order : orders) {
        const Key key{order.Branch, order.Number};
        if (NeedsBlockingCheck(order.Situation, m_items.at(key)))
            inProgress.push_back(key);
    }
    m_blocking = Checked(inProgress, rdm.GetItemPedidoSemFiltro2(inProgress));
}

std::map<OrderItemsPrefetch::Key, data::Packet>
OrderItemsPrefetch::Checked(const std::vector<Key>& orders, const std::vector<RemoteResult>& results) {
    std::map<Key, data::Packet> packets;
    for (std::size_t i = 0; i < orders.size(); ++i)
        packets[orders[i]] = Consiste::CheckResultServ(results[i], true, 0);
    return packets;
}

const data::Packet* OrderItemsPrefetch::Items(const std::string& branch, const std::string& number) const {
    const auto found = m_items.find({branch, number});
    return found == m_items.end() ? nullptr : &found->second;
}

const data::Packet* OrderItemsPrefetch::Blocking(const std::string& branch, const std::string& number) const {
    const auto found = m_blocking.find({branch, number});
    return found == m_blocking.end() ? nullptr : &found->second;
}

bool OrderItemsPrefetch::NeedsBlockingCheck(const std::string& situation, const data::Packet& items) {
    if (situation != "2" || items.Rows.empty())
        return false;
    const auto field = std::find_if(items.Fields.begin(), items.Fields.end(),
                                    [](const data::PacketField& f) { return f.Name == "IDSITITEMPED"; });
    if (field == items.Fields.end())
        return true;
    const std::size_t column = static_cast<std::size_t>(field - items.Fields.begin());
    return std::none_of(items.Rows.begin(), items.Rows.end(), [column](const std::vector<data::Value>& row) {
        const auto* code = std::get_if<std::string>(&row[column]);
        return code && protocol::situations::IsIn(*code, protocol::situations::ItemsBlockingOrderCancel);
    });
}
