#pragma once

#include "RdmCancelaPedido.h"
#include "TNetConnection.h"
#include "data/Packet.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// What the load check reads of the server for a whole load, in two exchanges instead of a round
// trip per order: the items of every order, then the items that block cancelling an order in
// progress, for those orders in progress whose own items leave that question open. A failed call
// is shown and aborts, as one made order by order would.
class OrderItemsPrefetch {
public:
    struct Order {
        std::string Branch;
        std::string Number;
        std::string Situation;
    };

    OrderItemsPrefetch(TNetConnection& connection, const std::vector<Order>& orders);

    // The order's items, or nullptr when the order was not fetched.
    const data::Packet* Items(const std::string& branch, const std::string& number) const;
    // The order's blocking items, or nullptr when they were not fetched.
    const data::Packet* Blocking(const std::string& branch, const std::string& number) const;

    // The check asks for blocking items only of an order in progress with items, none of which is
    // approved, settled, cancelled or partly delivered.
    static bool NeedsBlockingCheck(const std::string& situation, const data::Packet& items);

private:
    using Key = RdmCancelaPedido::OrderKey;
    // The packets of the results, by order; the first failed result is shown and aborts.
    static std::map<Key, data::Packet> Checked(const std::vector<Key>& orders,
                                               const std::vector<RemoteResult>& results);

    std::map<Key, data::Packet> m_items;
    std::map<Key, data::Packet> m_blocking;
};
