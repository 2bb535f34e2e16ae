#include "rdm/Methods.h"
#include "rdm/Packet.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "rdm/SellerScope.h"
#include "storage/Decimal.h"

#include <string_view>

namespace pedserver {
namespace {

PacketCell Number(const sqldb::Value& value) {
    return sqldb::IsNull(value) ? PacketCell() : PacketCell(Decimal::FromValue(value).ToDouble());
}

Packet ItemPacket(AnswerBudget& budget) {
    static const PacketLayout layout({{"NRITEMPED", "string", 10},
                                      {"IDCHECK", "string", 1},
                                      {"IDSITITEMPED", "string", 1},
                                      {"CDPRODUTO", "string", 10},
                                      {"NMPRODUTO", "string", 50},
                                      {"QTITEMPED", "float"},
                                      {"SGUNIDADE", "string", 10},
                                      {"VRPREUNITPED", "float"},
                                      {"NRPEDIDO", "string", 10},
                                      {"CDFILIAL", "string", 4},
                                      {"CDARVPROD", "string", 20},
                                      {"CDJUSTEXCHIS", "string", 4},
                                      {"CDOPERADOR", "string", 12},
                                      {"CDPRODESTO", "string", 10}});
    return Packet(budget, layout);
}

// The branch and order a per-order query names.
struct OrderRequest {
    std::string filial;
    std::string pedido;
};

OrderRequest ReadOrderRequest(const MethodCall& call, std::string_view method) {
    const ParamReader reader(call.params, method, 2);
    return {reader.Text(0, "filial", Size::Filial), reader.Text(1, "pedido", Size::Pedido)};
}

// The orders' condition, and the condition that keeps a restricted operator to his sellers'
// orders, with their parameters: one order, or a batch's list of orders.
struct OrderSelection {
    sqldb::Params params;
    std::string orders;
    std::string scope;
};

// The branch's orders of the list, for every operator.
OrderSelection OrdersIn(const std::string& filial, const std::vector<std::string>& orders) {
    OrderSelection selection{{{"FILIAL", filial}}, {}, {}};
    selection.orders = " IN (" + BatchReads::OrderList(orders, selection.params) + ")";
    return selection;
}

OrderSelection SelectOrders(const MethodCall& call, const std::string& filial,
                            const std::vector<std::string>& orders) {
    OrderSelection selection = OrdersIn(filial, orders);
    selection.scope = SellerScope::Condition(filial, "P.CDVENDEDOR", call.tokenOperator, selection.params);
    return selection;
}

// The items of the selected orders that block cancelling them: delivered in part, or with a lot
// reserved on a branch that reserves lots; by order and item.
sqldb::Rows BlockingItems(sqldb::Connection& connection, const OrderSelection& selection) {
    const std::string blocking =
        " AND (I.QTATENDIDA > 0"
        " OR (EXISTS (SELECT 1 FROM PARAMPEDIDO PP WHERE PP.CDFILIAL = I.CDFILIAL AND PP.IDUTRESELOTE = 'S')"
        " AND EXISTS (SELECT 1 FROM RESERVALOTE R WHERE R.CDFILIAL = I.CDFILIAL AND R.NRPEDIDO = I.NRPEDIDO"
        " AND R.NRITEMPED = I.NRITEMPED)))";
    return connection.Query("SELECT I.NRITEMPED, I.IDSITITEMPED, I.NRPEDIDO FROM ITEMPEDIDO I"
                            " JOIN PEDIDO P ON P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO"
                            " WHERE P.CDFILIAL = :FILIAL AND P.NRPEDIDO" +
                                selection.orders + selection.scope + blocking +
                                " ORDER BY I.NRPEDIDO, I.NRITEMPED",
                            selection.params);
}

// The rows of the orders read by order number, the number being the row's column `numberColumn`.
BatchReads::OrderRows ByOrder(sqldb::Rows rows, std::size_t numberColumn,
                              const std::vector<std::string>& orders) {
    BatchReads::OrderRows byOrder;
    // One order read, as every call on SQLite reads: all its rows are that order's, kept as they came.
    if (orders.size() == 1) {
        byOrder.emplace(orders.front(), rows.TakeData());
        return byOrder;
    }
    for (auto& row : rows.TakeData()) {
        auto& ofOrder = byOrder[sqldb::AsText(row[numberColumn])];
        ofOrder.push_back(std::move(row));
    }
    return byOrder;
}

// The order's rows read with those of the batch's other calls of the method when the call is in
// a batch of reads, else read on their own.
std::vector<sqldb::Row> RowsOfOrder(const MethodCall& call, const std::string& method,
                                    const OrderRequest& request, const BatchReads::Reader& read) {
    if (call.batch) {
        if (const auto* rows = call.batch->RowsOf(method, request.filial, request.pedido, read))
            return *rows;
    }
    auto own = read(request.filial, {request.pedido});
    return std::move(own[request.pedido]);
}

// Items of the orders with their products, in item order.
BatchReads::OrderRows ItemsOfOrders(const MethodCall& call, const std::string& filial,
                                    const std::vector<std::string>& orders) {
    OrderSelection selection = SelectOrders(call, filial, orders);
    return ByOrder(
        call.connection.Query(
            "SELECT I.NRITEMPED, I.IDSITITEMPED, I.CDPRODUTO, PR.NMPRODUTO, I.QTITEMPED, PR.SGUNIDADE, "
            "I.VRPREUNITPED, I.NRPEDIDO, I.CDFILIAL, PR.CDARVPROD, I.CDJUSTEXCHIS, I.CDOPERADOR, "
            "I.CDPRODESTO FROM ITEMPEDIDO I "
            "JOIN PEDIDO P ON P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO "
            "LEFT JOIN PRODUTO PR ON PR.CDPRODUTO = I.CDPRODUTO "
            "WHERE P.CDFILIAL = :FILIAL AND P.NRPEDIDO" +
                selection.orders + selection.scope + " ORDER BY I.NRPEDIDO, I.NRITEMPED",
            selection.params),
        7, orders);
}

// The blocking items of those of the orders the operator may see, in one statement.
BatchReads::OrderRows BlockingOfOrders(const MethodCall& call, const std::string& filial,
                                       const std::vector<std::string>& orders) {
    return ByOrder(BlockingItems(call.connection, SelectOrders(call, filial, orders)), 2, orders);
}

} // namespace

MethodResult GetParamPedido(const MethodCall& call) {
    const ParamReader reader(call.params, "GetParamPedido", 1);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto rows =
        call.connection.Query("SELECT IDUTCTRELANP, IDUTCTREMPEN, IDEXIBPEDIDO, IDMENSVEND, IDUTRESELOTE "
                              "FROM PARAMPEDIDO WHERE CDFILIAL = :FILIAL",
                              {{"FILIAL", filial}});
    if (rows.IsEmpty())
        throw RpcError(RpcCode::Refused, "Filial não cadastrada.");
    std::vector<Packet::FieldDef> fields;
    std::vector<PacketCell> row;
    // PostgreSQL folds result column names to lower case; the packet uses the screen's names.
    for (const char* column :
         {"IDUTCTRELANP", "IDUTCTREMPEN", "IDEXIBPEDIDO", "IDMENSVEND", "IDUTRESELOTE"}) {
        fields.push_back({column, "string", 1});
        row.push_back(rows.Text(0, column));
    }
    Packet packet(call.answer, std::move(fields));
    packet.AddRow(std::move(row));
    return packet.ToResult();
}

MethodResult GetOperTPed(const MethodCall& call) {
    const ParamReader reader(call.params, "getOperTPed", 2);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto operador = reader.Text(1, "operador", Size::Operador);
    RequireTokenOperator(operador, call.tokenOperator);
    Packet packet(call.answer, {{"CDOPERADOR", "string", 32}});
    for (const auto& row :
         call.connection.Query("SELECT CDOPERADOR FROM OPERTPED WHERE CDFILIAL = :FILIAL AND "
                               "CDOPERADOR = :OPERADOR ORDER BY CDOPERADOR",
                               {{"FILIAL", filial}, {"OPERADOR", operador}}))
        packet.AddRow({sqldb::AsText(row[0])});
    return packet.ToResult();
}

MethodResult GetNrPedido(const MethodCall& call) {
    const ParamReader reader(call.params, "GetNrPedido", 3);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto vendedor = reader.Text(1, "vendedor", Size::Vendedor);
    const bool allSellers = reader.AllFlag(2, "todos os vendedores");
    sqldb::Params sqlParams{{"FILIAL", filial}};
    std::string sql = "SELECT P.NRPEDIDO, C.NMFANTCLIE FROM PEDIDO P LEFT JOIN CLIENTE C ON C.CDCLIENTE = "
                      "P.CDCLIENTE WHERE P.CDFILIAL = :FILIAL";
    if (!allSellers) {
        sql += " AND P.CDVENDEDOR = :VENDEDOR";
        sqlParams["VENDEDOR"] = vendedor;
    }
    sql += SellerScope::Condition(filial, "P.CDVENDEDOR", call.tokenOperator, sqlParams);
    Packet packet(call.answer,
                  {{"IDMARCADO", "string", 1}, {"NRPEDIDO", "string", 10}, {"NMFANTCLIE", "string", 50}});
    for (const auto& row : call.connection.Query(sql + " ORDER BY P.NRPEDIDO", sqlParams))
        packet.AddRow({"N", sqldb::AsText(row[0]), TextOrNull(row[1])});
    return packet.ToResult();
}

MethodResult GetItemPedido(const MethodCall& call) {
    const auto request = ReadOrderRequest(call, "GetItemPedido");
    // A restricted operator asking for another seller's order gets an empty packet, exactly as
    // for an order that does not exist, so the answer reveals nothing.
    auto rows = RowsOfOrder(call, "GetItemPedido", request,
                            [&call](const std::string& filial, const std::vector<std::string>& orders) {
                                return ItemsOfOrders(call, filial, orders);
                            });
    auto packet = ItemPacket(call.answer);
    for (auto& row : rows) {
        const auto text = [&row](std::size_t column) { return TextOrNull(std::move(row[column])); };
        packet.AddRow({text(0), "N", text(1), text(2), text(3), Number(row[4]), text(5), Number(row[6]),
                       text(7), text(8), text(9), text(10), text(11), text(12)});
    }
    return packet.ToResult();
}

sqldb::Rows BlockingItemsOf(sqldb::Connection& connection, const std::string& filial,
                            const std::vector<std::string>& orders) {
    return BlockingItems(connection, OrdersIn(filial, orders));
}

MethodResult GetItemPedidoSemFiltro2(const MethodCall& call) {
    const auto request = ReadOrderRequest(call, "GetItemPedidoSemFiltro2");
    static const PacketLayout layout({{"IDSITITEMPED", "string", 1}});
    Packet packet(call.answer, layout);
    const auto rows = RowsOfOrder(call, "GetItemPedidoSemFiltro2", request,
                                  [&call](const std::string& filial, const std::vector<std::string>& orders) {
                                      return BlockingOfOrders(call, filial, orders);
                                  });
    for (const auto& row : rows)
        packet.AddRow({sqldb::AsText(row[1])});
    return packet.ToResult();
}

} // namespace pedserver
