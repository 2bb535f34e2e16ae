#include "CLI_Ped01000/OrderItemsPrefetch.h"

#include <gtest/gtest.h>

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

} // namespace
