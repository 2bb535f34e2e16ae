#include "CLI_Ped01000/OrderItemsPrefetch.h"

#include "Consiste.h"
#include "protocol/Situations.h"

#include <algorithm>
#include <utility>

OrderItemsPrefetch::OrderItemsPrefetch(TNetConnection& connection, std::vector<Order> orders,
                                       std::size_t window)
    : m_connection(connection), m_orders(std::move(orders)), m_window(std::max<std::size_t>(window, 1)) {
    m_position.reserve(m_orders.size());
    for (std::size_t i = 0; i < m_orders.size(); ++i)
        m_position.emplace(Key{m_orders[i].Branch, m_orders[i].Number}, i);
}

std::vector<OrderItemsPrefetch::Key> OrderItemsPrefetch::KeysOf(std::size_t first) const {
    const std::size_t last = std::min(m_orders.size(), first + m_window);
    std::vector<Key> keys;
    keys.reserve(last - first);
    for (std::size_t i = first; i < last; ++i)
        keys.emplace_back(m_orders[i].Branch, m_orders[i].Number);
    return keys;
}

void OrderItemsPrefetch::Fetch(std::size_t first) {
    const std::vector<Key> keys = KeysOf(first);
    // The window at hand is done with.
    m_items.clear();
    m_blocking.clear();
    RdmCancelaPedido rdm(m_connection);
    std::optional<TNetConnection::PendingBatch> sent = std::exchange(m_next, std::nullopt);
    m_items = Checked(keys, sent && m_nextFirst == first ? m_connection.FinishBatch(std::move(*sent))
                                                         : rdm.GetItemPedido(keys));
    std::vector<Key> inProgress;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (NeedsBlockingCheck(m_orders[first + i].Situation, m_items.at(keys[i])))
            inProgress.push_back(keys[i]);
    }
    // The next window's items go out behind this window's blocking items, so that the server reads
    // them while the check walks this window; only once this window's items have read well, as
    // order by order would have gone on.
    m_nextFirst = first + keys.size();
    const std::vector<Key> next = m_nextFirst < m_orders.size() ? KeysOf(m_nextFirst) : std::vector<Key>{};
    TNetConnection::PendingBatch reads = rdm.StartBlockingThenItems(inProgress, next);
    m_blocking = Checked(inProgress, m_connection.TakeResults(reads, inProgress.size()));
    if (!next.empty())
        m_next = std::move(reads);
}

OrderItemsPrefetch::ByOrder<data::Packet> OrderItemsPrefetch::Checked(const std::vector<Key>& orders,
                                                                      std::vector<RemoteResult> results) {
    ByOrder<data::Packet> packets;
    packets.reserve(orders.size());
    for (std::size_t i = 0; i < orders.size(); ++i)
        packets[orders[i]] = Consiste::CheckResultServ(std::move(results[i]), true, 0);
    return packets;
}

const data::Packet* OrderItemsPrefetch::Items(const std::string& branch, const std::string& number) {
    const Key key{branch, number};
    auto found = m_items.find(key);
    if (found == m_items.end()) {
        const auto position = m_position.find(key);
        if (position == m_position.end())
            return nullptr;
        Fetch(position->second);
        found = m_items.find(key);
    }
    return &found->second;
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
