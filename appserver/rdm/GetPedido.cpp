#include "rdm/CharCount.h"
#include "rdm/Methods.h"
#include "rdm/OrderFilter.h"
#include "rdm/Packet.h"
#include "rdm/ParamReader.h"
#include "rdm/RowCap.h"
#include "rdm/RpcError.h"
#include "rdm/SellerScope.h"
#include "storage/Decimal.h"

#include <array>
#include <map>

namespace pedserver {
namespace {

void AddDateRange(OrderFilter& filter, const ParamReader& reader, std::size_t first,
                  const std::string& column, const std::string& what) {
    const auto from = reader.Date(first, "data inicial de " + what);
    const auto to = reader.Date(first + 1, "data final de " + what);
    if (reader.AllFlag(first + 2, "todas as datas de " + what))
        return;
    if (!from || !to)
        throw RpcError(RpcCode::InvalidParams, "Período de " + what + " deve ser informado.");
    if (*from > *to)
        throw RpcError(RpcCode::InvalidParams,
                       "Período de " + what + " inválido: data inicial após a final.");
    filter.Between(column, *from, *to);
}

void AddOrderNumbers(OrderFilter& filter, const ParamReader& reader, std::size_t maxEntries) {
    const auto from = reader.Text(15, "pedido inicial", Size::Pedido);
    const auto to = reader.Text(16, "pedido final", Size::Pedido);
    const auto list = reader.Text(17, "lista de pedidos", 200000);
    if (reader.AllFlag(18, "todos os pedidos"))
        return;
    if (!list.empty())
        return filter.InList("P.NRPEDIDO", list, Size::Pedido, maxEntries, "pedidos");
    if (from.empty() && to.empty())
        return filter.MatchNothing();
    if (!from.empty())
        filter.AtLeast("P.NRPEDIDO", from);
    if (!to.empty())
        filter.AtMost("P.NRPEDIDO", to);
}

OrderFilter BuildFilter(const ParamReader& reader, const std::string& filial, std::size_t maxEntries) {
    OrderFilter filter;
    filter.Equals("P.CDFILIAL", filial);
    const auto sellers = reader.Text(1, "vendedores", 100000);
    if (!reader.AllFlag(2, "todos os vendedores"))
        filter.InList("P.CDVENDEDOR", sellers, Size::Vendedor, maxEntries, "vendedores");
    const auto clients = reader.Text(3, "clientes", 200000);
    if (!reader.AllFlag(4, "todos os clientes"))
        filter.InList("P.CDCLIENTE", clients, 21, maxEntries, "clientes");
    const auto products = reader.Text(5, "produtos", 200000);
    if (!reader.AllFlag(6, "todos os produtos"))
        filter.ItemExists(
            [&](OrderFilter& items) { items.InList("IT.CDPRODUTO", products, 10, maxEntries, "produtos"); });
    filter.InCodes("P.IDPRIORIDADE", reader.Text(7, "prioridades", 10), "123", "prioridade");
    filter.InCodes("P.IDSITPEDIDO", reader.Text(8, "situações do pedido", 10), "123456",
                   "situação do pedido");
    AddDateRange(filter, reader, 9, "P.DTPEDIDO", "emissão");
    AddDateRange(filter, reader, 12, "P.DTENTPED", "entrega");
    AddOrderNumbers(filter, reader, maxEntries);
    const auto itemCodes = reader.Text(19, "situações do item", 10);
    filter.ItemExists([&](OrderFilter& items) {
        items.InCodes("IT.IDSITITEMPED", itemCodes, "1234567", "situação do item");
    });
    return filter;
}

std::string PriorityName(const std::string& code) {
    return code == "1" ? "Urgente" : code == "2" ? "Alta" : code == "3" ? "Normal" : code;
}

using OrderValueMap = std::map<std::string, Decimal>;

// What each order `where` selects is worth to the operator: its live items, or for a cancelled
// order the items a reinstatement would bring back.
OrderValueMap OrderValues(sqldb::Connection& connection, const std::string& where,
                          const sqldb::Params& params) {
    OrderValueMap live, cancelled;
    // The orders lead, their items follow by key: SQLite, left to choose, walked every item of the
    // branch through the product index, three times slower. Its `+` keeps a range of order numbers
    // from being carried over to the items, which then scanned the whole range for every order (a
    // second for a range of 1,000); PostgreSQL has no unary plus for texts and needs none.
    const std::string orderKey =
        connection.GetBackend() == sqldb::Backend::Sqlite ? "+P.NRPEDIDO" : "P.NRPEDIDO";
    const auto rows =
        connection.Query("SELECT I.NRPEDIDO, I.QTITEMPED, I.VRPREUNITPED, I.IDSITITEMPED FROM "
                         "PEDIDO P CROSS JOIN ITEMPEDIDO I WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = " +
                             orderKey + where,
                         params);
    // An order's items come one after the other: the order of the row before is looked up once.
    std::array<std::pair<std::string, Decimal*>, 2> last;
    for (const auto& row : rows) {
        const auto value = Decimal::FromValue(row[1]).Times(Decimal::FromValue(row[2])).RoundedToCents();
        const bool isCancelled = sqldb::AsText(row[3]) == "5";
        auto& [pedido, sum] = last[isCancelled ? 1 : 0];
        std::string order = sqldb::AsText(row[0]);
        if (!sum || order != pedido) {
            sum = &(isCancelled ? cancelled : live)[order];
            pedido = std::move(order);
        }
        *sum += value;
    }
    for (const auto& [pedido, value] : cancelled)
        live.try_emplace(pedido, value);
    return live;
}

// From this many orders on, their items are read in two halves side by side: the items are most of
// GetPedido's time, which a second core then nearly halves (100,000 orders: 1.3 s instead of 2.0-2.9 s).
constexpr std::size_t kOrdersToSplit = 2000;

// The values of the orders read, whose first column is the order number, in their order.
OrderValueMap ValuesOfOrders(const MethodCall& call, OrderFilter& filter, const sqldb::Rows& orders) {
    if (!call.readParts || orders.Size() < kOrdersToSplit)
        return OrderValues(call.connection, filter.Where(), filter.Params());
    // The middle order's number parts the orders in two: < and >= on the same column, in the
    // collation the orders were sorted in, put each order in exactly one half.
    sqldb::Params params = filter.Params();
    params["METADE"] = orders.Data()[orders.Size() / 2][0];
    const std::array<std::string, 2> halves = {" AND P.NRPEDIDO < :METADE", " AND P.NRPEDIDO >= :METADE"};
    std::array<OrderValueMap, 2> values;
    (*call.readParts)(halves.size(), [&](std::size_t half, sqldb::Connection& connection) {
        values[half] = OrderValues(connection, filter.Where() + halves[half], params);
    });
    values[0].merge(values[1]);
    return std::move(values[0]);
}

PacketCell DateTime(const sqldb::Value& value) {
    if (sqldb::IsNull(value))
        return nullptr;
    return sqldb::AsText(value).substr(0, 10) + "T00:00:00";
}

} // namespace

MethodResult GetPedido(const MethodCall& call) {
    const ParamReader reader(call.params, "GetPedido", 20);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    auto filter = BuildFilter(reader, filial, call.limits.maxListEntries);
    filter.Append(SellerScope::Condition(filial, "P.CDVENDEDOR", call.tokenOperator, filter.Params()));
    // The orders first, one past the cap at most, so that a filter matching too many is refused
    // before their items are read.
    const auto rows = call.connection.Query(
        "SELECT P.NRPEDIDO, P.IDSITPEDIDO, C.NMFANTCLIE, P.CDCLIENTE, P.DTENTPED, P.DTPEDIDO, P.CDFILIAL, "
        "P.NREMPENHO, P.CDVENDEDOR, V.NMFANVEN, P.IDPRIORIDADE FROM PEDIDO P "
        "LEFT JOIN CLIENTE C ON C.CDCLIENTE = P.CDCLIENTE LEFT JOIN VENDEDOR V ON V.CDVENDEDOR = "
        "P.CDVENDEDOR "
        "WHERE 1 = 1" +
            filter.Where() + " ORDER BY P.NRPEDIDO" + RowCap(call.limits),
        filter.Params());
    RequireRowsWithinCap(rows, call.limits);
    auto values = ValuesOfOrders(call, filter, rows);
    Packet packet(call.answer, {{"IDCHECK", "string", 1},
                                {"NRPEDIDO", "string", 10},
                                {"IDSITPEDIDO", "string", 1},
                                {"NMFANTCLIE", "string", 50},
                                {"CDCLIENTE", "string", 21},
                                {"DTENTPED", "datetime"},
                                {"DTPEDIDO", "datetime"},
                                {"CDFILIAL", "string", 4},
                                {"NREMPENHO", "string", 20},
                                {"CDVENDEDOR", "string", 4},
                                {"INFPED", "string", 63}});
    for (const auto& row : rows) {
        const auto pedido = sqldb::AsText(row[0]);
        const auto info = "Vend. " + sqldb::AsText(row[8]) + " " + sqldb::AsText(row[9]) + " | Prior. " +
                          PriorityName(sqldb::AsText(row[10])) + " | " + values[pedido].ToReais();
        packet.AddRow({"N", pedido, TextOrNull(row[1]), TextOrNull(row[2]), TextOrNull(row[3]),
                       DateTime(row[4]), DateTime(row[5]), TextOrNull(row[6]), TextOrNull(row[7]),
                       TextOrNull(row[8]), CutToChars(info, 63)});
    }
    return packet.ToResult();
}

} // namespace pedserver
