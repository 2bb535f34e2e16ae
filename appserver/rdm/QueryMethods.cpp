#include "rdm/Methods.h"
#include "rdm/Packet.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "rdm/SellerScope.h"
#include "storage/Decimal.h"

namespace pedserver {
namespace {

nlohmann::json TextOrNull(const sqldb::Value& value) {
    return sqldb::IsNull(value) ? nlohmann::json() : nlohmann::json(sqldb::AsText(value));
}

nlohmann::json Number(const sqldb::Value& value) {
    return sqldb::IsNull(value) ? nlohmann::json() : nlohmann::json(Decimal::FromValue(value).ToDouble());
}

Packet ItemPacket() {
    Packet packet;
    packet.AddField("NRITEMPED", "string", 10)
        .AddField("IDCHECK", "string", 1)
        .AddField("IDSITITEMPED", "string", 1);
    packet.AddField("CDPRODUTO", "string", 10)
        .AddField("NMPRODUTO", "string", 50)
        .AddField("QTITEMPED", "float");
    packet.AddField("SGUNIDADE", "string", 10)
        .AddField("VRPREUNITPED", "float")
        .AddField("NRPEDIDO", "string", 10);
    packet.AddField("CDFILIAL", "string", 4).AddField("CDARVPROD", "string", 20);
    packet.AddField("CDJUSTEXCHIS", "string", 4).AddField("CDOPERADOR", "string", 12);
    packet.AddField("CDPRODESTO", "string", 10);
    return packet;
}

} // namespace

nlohmann::json GetParamPedido(sqldb::Connection& connection, const nlohmann::json& params,
                              const std::string&) {
    const ParamReader reader(params, "GetParamPedido", 1);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto rows =
        connection.Query("SELECT IDUTCTRELANP, IDUTCTREMPEN, IDEXIBPEDIDO, IDMENSVEND, IDUTRESELOTE "
                         "FROM PARAMPEDIDO WHERE CDFILIAL = :FILIAL",
                         {{"FILIAL", filial}});
    if (rows.IsEmpty())
        throw RpcError(RpcCode::Refused, "Filial não cadastrada.");
    Packet packet;
    auto row = nlohmann::json::array();
    // PostgreSQL folds result column names to lower case; the packet uses the screen's names.
    for (const char* column :
         {"IDUTCTRELANP", "IDUTCTREMPEN", "IDEXIBPEDIDO", "IDMENSVEND", "IDUTRESELOTE"}) {
        packet.AddField(column, "string", 1);
        row.push_back(rows.Text(0, column));
    }
    packet.AddRow(std::move(row));
    return packet.ToResult();
}

nlohmann::json GetOperTPed(sqldb::Connection& connection, const nlohmann::json& params,
                           const std::string& tokenOperator) {
    const ParamReader reader(params, "getOperTPed", 2);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto operador = reader.Text(1, "operador", Size::Operador);
    RequireTokenOperator(operador, tokenOperator);
    Packet packet;
    packet.AddField("CDOPERADOR", "string", 32);
    for (const auto& row : connection.Query("SELECT CDOPERADOR FROM OPERTPED WHERE CDFILIAL = :FILIAL AND "
                                            "CDOPERADOR = :OPERADOR ORDER BY CDOPERADOR",
                                            {{"FILIAL", filial}, {"OPERADOR", operador}}))
        packet.AddRow({sqldb::AsText(row[0])});
    return packet.ToResult();
}

nlohmann::json GetNrPedido(sqldb::Connection& connection, const nlohmann::json& params,
                           const std::string& tokenOperator) {
    const ParamReader reader(params, "GetNrPedido", 3);
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
    sql += SellerScope(connection, filial, tokenOperator).Condition("P.CDVENDEDOR", sqlParams);
    Packet packet;
    packet.AddField("IDMARCADO", "string", 1)
        .AddField("NRPEDIDO", "string", 10)
        .AddField("NMFANTCLIE", "string", 50);
    for (const auto& row : connection.Query(sql + " ORDER BY P.NRPEDIDO", sqlParams))
        packet.AddRow({"N", sqldb::AsText(row[0]), TextOrNull(row[1])});
    return packet.ToResult();
}

nlohmann::json GetItemPedido(sqldb::Connection& connection, const nlohmann::json& params,
                             const std::string& tokenOperator) {
    const ParamReader reader(params, "GetItemPedido", 2);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto pedido = reader.Text(1, "pedido", Size::Pedido);
    sqldb::Params sqlParams{{"FILIAL", filial}, {"PEDIDO", pedido}};
    const auto scope = SellerScope(connection, filial, tokenOperator).Condition("P.CDVENDEDOR", sqlParams);
    // A restricted operator asking for another seller's order gets an empty packet, exactly as
    // for an order that does not exist, so the answer reveals nothing.
    const auto rows = connection.Query(
        "SELECT I.NRITEMPED, I.IDSITITEMPED, I.CDPRODUTO, PR.NMPRODUTO, I.QTITEMPED, PR.SGUNIDADE, "
        "I.VRPREUNITPED, "
        "I.NRPEDIDO, I.CDFILIAL, PR.CDARVPROD, I.CDJUSTEXCHIS, I.CDOPERADOR, I.CDPRODESTO FROM ITEMPEDIDO I "
        "JOIN PEDIDO P ON P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO "
        "LEFT JOIN PRODUTO PR ON PR.CDPRODUTO = I.CDPRODUTO "
        "WHERE I.CDFILIAL = :FILIAL AND I.NRPEDIDO = :PEDIDO" +
            scope + " ORDER BY I.NRITEMPED",
        sqlParams);
    auto packet = ItemPacket();
    for (const auto& row : rows) {
        packet.AddRow({TextOrNull(row[0]), "N", TextOrNull(row[1]), TextOrNull(row[2]), TextOrNull(row[3]),
                       Number(row[4]), TextOrNull(row[5]), Number(row[6]), TextOrNull(row[7]),
                       TextOrNull(row[8]), TextOrNull(row[9]), TextOrNull(row[10]), TextOrNull(row[11]),
                       TextOrNull(row[12])});
    }
    return packet.ToResult();
}

sqldb::Rows BlockingItems(sqldb::Connection& connection, const std::string& filial,
                          const std::string& pedido) {
    return connection.Query(
        "SELECT I.NRITEMPED, I.IDSITITEMPED FROM ITEMPEDIDO I WHERE I.CDFILIAL = :FILIAL AND I.NRPEDIDO = "
        ":PEDIDO "
        "AND (I.QTATENDIDA > 0 OR (EXISTS (SELECT 1 FROM PARAMPEDIDO PP WHERE PP.CDFILIAL = I.CDFILIAL AND "
        "PP.IDUTRESELOTE = 'S') AND EXISTS (SELECT 1 FROM RESERVALOTE R WHERE R.CDFILIAL = I.CDFILIAL AND "
        "R.NRPEDIDO = I.NRPEDIDO AND R.NRITEMPED = I.NRITEMPED))) ORDER BY I.NRITEMPED",
        {{"FILIAL", filial}, {"PEDIDO", pedido}});
}

nlohmann::json GetItemPedidoSemFiltro2(sqldb::Connection& connection, const nlohmann::json& params,
                                       const std::string& tokenOperator) {
    const ParamReader reader(params, "GetItemPedidoSemFiltro2", 2);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto pedido = reader.Text(1, "pedido", Size::Pedido);
    sqldb::Params sqlParams{{"FILIAL", filial}, {"PEDIDO", pedido}};
    const auto scope = SellerScope(connection, filial, tokenOperator).Condition("P.CDVENDEDOR", sqlParams);
    Packet packet;
    packet.AddField("IDSITITEMPED", "string", 1);
    const bool visible =
        !connection
             .Query("SELECT 1 FROM PEDIDO P WHERE P.CDFILIAL = :FILIAL AND P.NRPEDIDO = :PEDIDO" + scope,
                    sqlParams)
             .IsEmpty();
    if (visible) {
        for (const auto& row : BlockingItems(connection, filial, pedido))
            packet.AddRow({sqldb::AsText(row[1])});
    }
    return packet.ToResult();
}

} // namespace pedserver
