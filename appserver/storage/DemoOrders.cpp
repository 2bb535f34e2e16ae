#include "storage/DemoOrders.h"

#include "storage/Timestamps.h"
#include "storage/OrderWriter.h"
#include "storage/SeedRandom.h"

#include <array>
#include <string>
#include <vector>

namespace pedserver {
namespace {

// One shape of order: its situation and, per item, the item situation, the situation kept
// before a cancellation, whether part was delivered and whether a lot is reserved.
struct Profile {
    const char* situation;
    std::vector<std::array<const char*, 4>> items; // situation, previous, delivered "D", lot "L"
};

const std::vector<Profile>& Profiles() {
    static const std::vector<Profile> profiles = {
        {"1", {{"1", "", "", ""}, {"1", "", "", ""}}},
        {"1", {{"1", "", "", ""}, {"1", "", "", ""}, {"1", "", "", ""}}},
        {"1", {{"1", "", "", ""}, {"5", "1", "", ""}}},
        {"2", {{"2", "", "", ""}, {"1", "", "", ""}}},
        {"2", {{"2", "", "", ""}, {"3", "", "", ""}}},
        {"2", {{"2", "", "D", ""}, {"2", "", "", ""}}},
        {"2", {{"2", "", "", "L"}, {"1", "", "", ""}}},
        {"3", {{"4", "", "D", ""}, {"4", "", "D", ""}}},
        {"4", {{"5", "1", "", ""}, {"5", "2", "", ""}}},
        {"5", {{"6", "", "D", ""}}},
        {"6", {{"7", "", "D", ""}, {"4", "", "D", ""}}},
        {"1", {{"1", "", "", ""}}},
    };
    return profiles;
}

constexpr std::array<const char*, 10> kProducts = {"000102", "000103", "000105", "000106", "000202",
                                                   "000203", "000205", "000206", "000207", "000102"};
constexpr std::array<const char*, 4> kCommitments = {"2024NE000101", "2024NE000102", "2024NE000103",
                                                     "2024NE000105"};

std::string Money(SeedRandom& random, int lowReais, int highReais) {
    const int cents = random.Between(lowReais * 100, highReais * 100);
    return std::to_string(cents / 100) + "." + std::to_string(100 + cents % 100).substr(1);
}

SeedItem MakeItem(const std::array<const char*, 4>& shape, SeedRandom& random) {
    SeedItem item;
    item.situation = shape[0];
    item.previousSituation = shape[1];
    item.product = kProducts[static_cast<std::size_t>(random.Below(static_cast<int>(kProducts.size())))];
    const int quantity = random.Between(1, 40);
    item.quantity = std::to_string(quantity) + (random.Below(5) == 0 ? ".5" : "");
    item.unitPrice = Money(random, 1, 350);
    item.delivered = shape[2][0] == 'D' ? std::to_string(random.Between(1, quantity)) : "0";
    item.lot = shape[3][0] == 'L' ? "LT" + std::to_string(random.Between(1000, 9999)) : "";
    return item;
}

SeedOrder MakeOrder(const std::string& filial, int number, std::chrono::sys_days today, SeedRandom& random,
                    bool commitments) {
    const auto& profile = Profiles()[static_cast<std::size_t>(number) % Profiles().size()];
    SeedOrder order;
    order.filial = filial;
    order.number = OrderNumber(number);
    order.client = OrderNumber(random.Between(1, 12)).substr(4);
    order.seller = "000" + std::to_string(random.Between(1, 4));
    const auto orderDay = today - std::chrono::days(random.Between(-5, 45));
    order.orderDate = IsoDate(orderDay);
    order.deliveryDate = IsoDate(orderDay + std::chrono::days(random.Between(3, 30)));
    order.situation = profile.situation;
    order.priority = std::to_string(random.Between(1, 3));
    if (commitments && number % 4 == 0)
        order.commitment = kCommitments[static_cast<std::size_t>(number / 4) % kCommitments.size()];
    for (const auto& shape : profile.items)
        order.items.push_back(MakeItem(shape, random));
    return order;
}

void SeedBranch(sqldb::Connection& connection, const std::string& filial, int count,
                std::chrono::sys_days today, bool commitments) {
    SeedRandom random(static_cast<std::uint64_t>(today.time_since_epoch().count()) * 31 + std::stoul(filial));
    OrderWriter writer(connection);
    for (int number = 1; number <= count; ++number)
        writer.Insert(MakeOrder(filial, number, today, random, commitments));
}

} // namespace

void SeedDemoOrders(sqldb::Connection& connection, std::chrono::sys_days today) {
    SeedBranch(connection, "0001", 160, today, true);
    SeedBranch(connection, "0002", 80, today, false);
    SeedBranch(connection, "0003", 60, today, false);
    // The order-entry screen of another operator has this order open since the morning.
    connection.Execute("UPDATE PEDIDO SET CDOPERALTE = :OPERADOR, DTOPERALTE = :DESDE "
                       "WHERE CDFILIAL = :FILIAL AND NRPEDIDO = :PEDIDO",
                       {{"OPERADOR", "SUPERV"},
                        {"DESDE", IsoDate(today) + " 08:00:00"},
                        {"FILIAL", "0001"},
                        {"PEDIDO", OrderNumber(4)}});
    // Two live orders under the small commitment 2024NE000105 had their first item cancelled on
    // its own, so the screen's popup offers both modes on them.
    for (const int number : {108, 156}) {
        connection.Execute("UPDATE ITEMPEDIDO SET IDSITITEMPED = '5', IDSITANTCANC = '1', CDJUSTEXCHIS = "
                           "'0001', CDOPERADOR = 'SUPERV' WHERE CDFILIAL = '0001' AND NRPEDIDO = :PEDIDO "
                           "AND NRITEMPED = :ITEM",
                           {{"PEDIDO", OrderNumber(number)}, {"ITEM", OrderNumber(1)}});
    }
}

} // namespace pedserver
