#include "sqldb/Transaction.h"
#include "storage/Timestamps.h"
#include "storage/OrderWriter.h"
#include "storage/Seed.h"
#include "storage/SeedRandom.h"

#include <stdexcept>

namespace pedserver {
namespace {

std::vector<std::string> Codes(sqldb::Connection& connection, const std::string& sql) {
    std::vector<std::string> codes;
    for (const auto& row : connection.Query(sql))
        codes.push_back(sqldb::AsText(row[0]));
    if (codes.empty())
        throw std::runtime_error("the database is not seeded: " + sql + " is empty");
    return codes;
}

const std::string& Pick(const std::vector<std::string>& codes, SeedRandom& random) {
    return codes[static_cast<std::size_t>(random.Below(static_cast<int>(codes.size())))];
}

} // namespace

void SeedVolume(sqldb::Connection& connection, int orders, int itemsPerOrder, std::uint64_t seed) {
    sqldb::Transaction transaction(connection);
    const auto clients = Codes(connection, "SELECT CDCLIENTE FROM CLIENTE ORDER BY CDCLIENTE");
    const auto sellers = Codes(connection, "SELECT CDVENDEDOR FROM VENDEDOR ORDER BY CDVENDEDOR");
    const auto products =
        Codes(connection, "SELECT CDPRODUTO FROM PRODUTO WHERE CDNVPRODUTO = 3 ORDER BY CDPRODUTO");
    const auto last = connection.Query("SELECT MAX(NRPEDIDO) AS ULTIMO FROM PEDIDO WHERE CDFILIAL = '0001'");
    const int first = static_cast<int>(std::stol(std::string("0").append(last.Text(0, "ULTIMO")))) + 1;
    const auto day0 = std::chrono::sys_days(std::chrono::year(2024) / 1 / 1);
    SeedRandom random(seed);
    OrderWriter writer(connection);
    for (int number = first; number < first + orders; ++number) {
        SeedOrder order{"0001",
                        OrderNumber(number),
                        Pick(clients, random),
                        Pick(sellers, random),
                        "",
                        "",
                        random.Below(2) == 0 ? "1" : "2",
                        std::to_string(random.Between(1, 3)),
                        "",
                        {}};
        const auto day = day0 + std::chrono::days(random.Below(366));
        order.orderDate = IsoDate(day);
        order.deliveryDate = IsoDate(day + std::chrono::days(random.Between(3, 30)));
        for (int line = 0; line < itemsPerOrder; ++line) {
            const auto cents = random.Between(100, 50000);
            order.items.push_back(
                {order.situation, "", Pick(products, random), std::to_string(random.Between(1, 20)),
                 std::to_string(cents / 100) + "." + std::to_string(100 + cents % 100).substr(1), "0", ""});
        }
        writer.Insert(order);
    }
    transaction.Commit();
}

} // namespace pedserver
