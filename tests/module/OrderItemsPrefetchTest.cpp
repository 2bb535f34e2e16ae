#include "CLI_Ped01000/OrderItemsPrefetch.h"

#include "RemoteCallLog.h"
#include "OrderLoadSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

data::Packet ItemsIn(std::vector<std::string> situations) {
    data::Packet packet{
        {{"NRITEMPED", data::FieldType::String, 10}, {"IDSITITEMPED", data::FieldType::String, 1}}, {}};
    for (std::size_t i = 0; i < situations.size(); ++i)
        packet.Rows.push_back({std::to_string(i + 1), situations[i]});
    return packet;
}

// The blocking items are fetched for exactly the orders whose check goes on to ask for them: in
// progress, with items, none of them approved, settled, cancelled or partly delivered.
TEST(OrderItemsPrefetch, BlockingItemsAreFetchedOnlyWhereTheCheckAsksForThem) {
    struct Case {
        const char* situation;
        std::vector<std::string> items;
        bool needed;
    };
    const Case cases[] = {
        {"2", {"1", "2"}, true}, {"2", {"1", "3"}, false}, {"2", {"4"}, false}, {"2", {"2", "5"}, false},
        {"2", {"6"}, false},     {"2", {"7", "1"}, false}, {"2", {}, false},    {"1", {"1"}, false},
        {"4", {"1"}, false},     {"6", {"2"}, false},      {"2", {""}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OrderItemsPrefetch::NeedsBlockingCheck(c.situation, ItemsIn(c.items)), c.needed)
            << "order " << c.situation << " with " << testing::PrintToString(c.items);
    }
}

// The loaded orders as the check walks them.
std::vector<OrderItemsPrefetch::Order> LoadedOrders(const TfrmCancelaPed& screen) {
    const data::Packet packet = screen.cdsPedido.ToPacket();
    const std::size_t branch = orderload::ColumnOf(packet, "CDFILIAL");
    const std::size_t number = orderload::ColumnOf(packet, "NRPEDIDO");
    const std::size_t situation = orderload::ColumnOf(packet, "IDSITPEDIDO");
    std::vector<OrderItemsPrefetch::Order> orders;
    for (const auto& row : packet.Rows) {
        orders.push_back({std::get<std::string>(row[branch]), std::get<std::string>(row[number]),
                          std::get<std::string>(row[situation])});
    }
    return orders;
}

// What the check reads of one order: its items' rows and, when fetched, its blocking items' rows.
struct OrderReads {
    std::vector<std::vector<data::Value>> items;
    std::optional<std::vector<std::vector<data::Value>>> blocking;
    bool operator==(const OrderReads&) const = default;
};

std::vector<OrderReads> ReadAll(OrderItemsPrefetch& prefetch, const std::vector<OrderItemsPrefetch::Order>& orders) {
    std::vector<OrderReads> reads;
    for (const auto& order : orders) {
        const data::Packet* items = prefetch.Items(order.Branch, order.Number);
        EXPECT_NE(items, nullptr) << order.Number;
        if (!items)
            return reads;
        OrderReads read{items->Rows, std::nullopt};
        if (const data::Packet* blocking = prefetch.Blocking(order.Branch, order.Number))
            read.blocking = blocking->Rows;
        reads.push_back(std::move(read));
    }
    return reads;
}

} // namespace

// The check reads the same items and blocking items of every order whatever the window, from one
// order at a time to the whole load in one, and also when it walks back to an earlier order.
class OrderItemsPrefetchTest : public OrderLoadTest {
protected:
    // Loads every order of branch 0001 on a screen; its orders as the check walks them.
    std::vector<OrderItemsPrefetch::Order> LoadBranch() {
        screen = &OpenOn("0001");
        EXPECT_TRUE(Refresh(*screen));
        return LoadedOrders(*screen);
    }

    TfrmCancelaPed* screen = nullptr;
};

TEST_F(OrderItemsPrefetchTest, EveryWindowReadsWhatOneOrderAtATimeReads) {
    const auto orders = LoadBranch();
    ASSERT_GT(orders.size(), 10u);
    OrderItemsPrefetch oneByOne(screen->netCancelaPed, orders, 1);
    const std::vector<OrderReads> expected = ReadAll(oneByOne, orders);
    ASSERT_EQ(expected.size(), orders.size());
    ASSERT_TRUE(std::any_of(expected.begin(), expected.end(), [](const auto& r) { return r.blocking; }))
        << "the demo has orders in progress that need the blocking check";
    for (std::size_t window : {2u, 7u, 1000u}) {
        OrderItemsPrefetch prefetch(screen->netCancelaPed, orders, window);
        EXPECT_EQ(ReadAll(prefetch, orders), expected) << "window of " << window;
        const auto& first = orders.front();
        EXPECT_EQ(prefetch.Items(first.Branch, first.Number)->Rows, expected.front().items)
            << "back to the first order, window of " << window;
    }
    OrderItemsPrefetch prefetch(screen->netCancelaPed, orders);
    EXPECT_EQ(prefetch.Items("0001", "9999999999"), nullptr) << "an order outside the load";
    EXPECT_TRUE(platform.Errors().empty()) << testing::PrintToString(platform.Errors());
}

// A window that fails after others succeeded fails the read with the server's message shown once.
TEST_F(OrderItemsPrefetchTest, AFailedLaterWindowIsShownAndFails) {
    const auto orders = LoadBranch();
    ASSERT_GT(orders.size(), 4u);
    OrderItemsPrefetch prefetch(screen->netCancelaPed, orders, 2);
    ASSERT_NE(prefetch.Items(orders[0].Branch, orders[0].Number), nullptr);
    server->Database().Connect()->Execute("ALTER TABLE PRODUTO RENAME TO PRODUTO_FORA");
    struct Restore {
        const testkit::ServerProcess& server;
        ~Restore() { server.Database().Connect()->Execute("ALTER TABLE PRODUTO_FORA RENAME TO PRODUTO"); }
    } restore{*server};
    EXPECT_NE(prefetch.Items(orders[1].Branch, orders[1].Number), nullptr) << "in the window at hand";
    // The next window went out with the first and may have been read before the rename; the one
    // after it goes out only once the next has read well.
    EXPECT_ANY_THROW({
        prefetch.Items(orders[2].Branch, orders[2].Number);
        prefetch.Items(orders[4].Branch, orders[4].Number);
    });
    EXPECT_EQ(platform.Errors().size(), 1u);
}

// While the check walks a window, the next window's items are on their way; the window after it,
// and the blocking items of the next, are asked for only when the walk reaches it.
TEST_F(OrderItemsPrefetchTest, TheNextWindowIsOnItsWayWhileTheCheckWalksThisOne) {
    const auto orders = LoadBranch();
    ASSERT_GT(orders.size(), 6u);
    RemoteCallLog::Instance().Reset();
    OrderItemsPrefetch prefetch(screen->netCancelaPed, orders, 2);
    ASSERT_NE(prefetch.Items(orders[0].Branch, orders[0].Number), nullptr);
    EXPECT_EQ(RemoteCallLog::Instance().Count("GetItemPedido"), 4);
    const int blockingOfTheFirst = RemoteCallLog::Instance().Count("GetItemPedidoSemFiltro2");
    ASSERT_NE(prefetch.Items(orders[1].Branch, orders[1].Number), nullptr);
    EXPECT_EQ(RemoteCallLog::Instance().Count("GetItemPedido"), 4) << "within the window at hand";
    ASSERT_NE(prefetch.Items(orders[2].Branch, orders[2].Number), nullptr);
    EXPECT_EQ(RemoteCallLog::Instance().Count("GetItemPedido"), 6);
    EXPECT_GE(RemoteCallLog::Instance().Count("GetItemPedidoSemFiltro2"), blockingOfTheFirst);
    const std::size_t last = orders.size() - 1;
    ASSERT_NE(prefetch.Items(orders[last].Branch, orders[last].Number), nullptr);
    EXPECT_EQ(RemoteCallLog::Instance().Count("GetItemPedido"), 7)
        << "a jump reads a window of its own, here the last order alone, and drops the one sent ahead";
    EXPECT_TRUE(platform.Errors().empty()) << testing::PrintToString(platform.Errors());
}

// A failed read of blocking items fails the read with the server's message shown once, although
// the next window's items went out with it; the connection serves the next read.
TEST_F(OrderItemsPrefetchTest, AFailedBlockingReadIsShownOnceAndFails) {
    const auto orders = LoadBranch();
    ASSERT_GT(orders.size(), 4u);
    OrderItemsPrefetch prefetch(screen->netCancelaPed, orders, 2);
    // Only the blocking items read the lots reserved.
    server->Database().Connect()->Execute("ALTER TABLE RESERVALOTE RENAME TO RESERVALOTE_FORA");
    {
        struct Restore {
            const testkit::ServerProcess& server;
            ~Restore() {
                server.Database().Connect()->Execute("ALTER TABLE RESERVALOTE_FORA RENAME TO RESERVALOTE");
            }
        } restore{*server};
        EXPECT_ANY_THROW({
            for (const auto& order : orders)
                prefetch.Items(order.Branch, order.Number);
        });
        EXPECT_EQ(platform.Errors().size(), 1u) << testing::PrintToString(platform.Errors());
    }
    OrderItemsPrefetch again(screen->netCancelaPed, orders, 2);
    EXPECT_NE(again.Items(orders.back().Branch, orders.back().Number), nullptr);
    EXPECT_EQ(platform.Errors().size(), 1u) << testing::PrintToString(platform.Errors());
}
