#include "rdm/MethodTable.h"
#include "rdm/Packet.h"
#include "rdm/RowCap.h"
#include "rdm/RpcError.h"
#include "rel/RelPedidoService.h"
#include "rel/ReportFilter.h"
#include "storage/Decimal.h"


namespace pedserver {
namespace {

PacketCell Money(const Decimal& value) {
    return value.ToDouble();
}

Decimal ItemValue(const sqldb::Value& quantity, const sqldb::Value& price) {
    return Decimal::FromValue(quantity).Times(Decimal::FromValue(price)).RoundedToCents();
}

const std::string ItemsOfFilter = "FROM ITEMPEDIDO I JOIN PEDIDO P ON P.CDFILIAL = I.CDFILIAL AND "
                                  "P.NRPEDIDO = I.NRPEDIDO ";

struct OrderValue {
    Decimal live;
    Decimal cancelled;
};

// Live and cancelled item values per order, summed exactly.
std::map<std::string, OrderValue> OrderValues(sqldb::Connection& connection, ReportFilter& filter) {
    std::map<std::string, OrderValue> values;
    const auto rows = connection.Query("SELECT I.NRPEDIDO, I.QTITEMPED, I.VRPREUNITPED, I.IDSITITEMPED " +
                                           ItemsOfFilter + "WHERE 1 = 1" + filter.where.Where(),
                                       filter.where.Params());
    for (const auto& row : rows) {
        auto& value = values[sqldb::AsText(row[0])];
        (sqldb::AsText(row[3]) == "5" ? value.cancelled : value.live) += ItemValue(row[1], row[2]);
    }
    return values;
}

MethodResult GetRelPedido(const MethodCall& call) {
    auto filter = ReportFilter::Read(call, "GetRelPedido");
    const auto rows = call.connection.Query(
        "SELECT P.CDFILIAL, P.NRPEDIDO, P.DTPEDIDO, P.IDSITPEDIDO, P.CDCLIENTE, C.NMFANTCLIE, P.CDVENDEDOR, "
        "V.NMFANVEN FROM PEDIDO P LEFT JOIN CLIENTE C ON C.CDCLIENTE = P.CDCLIENTE "
        "LEFT JOIN VENDEDOR V ON V.CDVENDEDOR = P.CDVENDEDOR WHERE 1 = 1" +
            filter.where.Where() + " ORDER BY P.NRPEDIDO" + RowCap(call.limits),
        filter.where.Params());
    RequireRowsWithinCap(rows, call.limits);
    auto values = OrderValues(call.connection, filter);
    Packet packet(call.answer, {{"CDFILIAL", "string", 4},
                   {"NRPEDIDO", "string", 10},
                   {"DTPEDIDO", "datetime"},
                   {"IDSITPEDIDO", "string", 1},
                   {"CDCLIENTE", "string", 21},
                   {"NMFANTCLIE", "string", 50},
                   {"CDVENDEDOR", "string", 4},
                   {"NMFANVEN", "string", 50},
                   {"VRPEDIDO", "float"},
                   {"VRCANCELADO", "float"}});
    for (const auto& row : rows) {
        const auto& value = values[sqldb::AsText(row[1])];
        packet.AddRow({TextOrNull(row[0]), TextOrNull(row[1]), DateTimeOrNull(row[2]), TextOrNull(row[3]),
                       TextOrNull(row[4]), TextOrNull(row[5]), TextOrNull(row[6]), TextOrNull(row[7]),
                       Money(value.live), Money(value.cancelled)});
    }
    return packet.ToResult();
}

MethodResult GetRelItemPedido(const MethodCall& call) {
    auto filter = ReportFilter::Read(call, "GetRelItemPedido");
    const auto rows = call.connection.Query(
        "SELECT I.NRPEDIDO, I.NRITEMPED, I.CDPRODUTO, PR.NMPRODUTO, I.QTITEMPED, PR.SGUNIDADE, "
        "I.VRPREUNITPED, I.IDSITITEMPED " +
            ItemsOfFilter + "LEFT JOIN PRODUTO PR ON PR.CDPRODUTO = I.CDPRODUTO WHERE 1 = 1" +
            filter.where.Where() + " ORDER BY I.NRPEDIDO, I.NRITEMPED" + RowCap(call.limits),
        filter.where.Params());
    RequireRowsWithinCap(rows, call.limits);
    Packet packet(call.answer, {{"NRPEDIDO", "string", 10},
                   {"NRITEMPED", "string", 10},
                   {"CDPRODUTO", "string", 10},
                   {"NMPRODUTO", "string", 50},
                   {"QTITEMPED", "float"},
                   {"SGUNIDADE", "string", 10},
                   {"VRPREUNITPED", "float"},
                   {"VRITEMPED", "float"},
                   {"IDSITITEMPED", "string", 1}});
    for (const auto& row : rows) {
        packet.AddRow({TextOrNull(row[0]), TextOrNull(row[1]), TextOrNull(row[2]), TextOrNull(row[3]),
                       Money(Decimal::FromValue(row[4])), TextOrNull(row[5]),
                       Money(Decimal::FromValue(row[6])), Money(ItemValue(row[4], row[6])),
                       TextOrNull(row[7])});
    }
    return packet.ToResult();
}

// Every audit row of the report's orders, oldest first, with the operator's name, the
// justification's description and, for an item row, the item's value.
MethodResult GetRelHistorico(const MethodCall& call) {
    auto filter = ReportFilter::Read(call, "GetRelHistorico");
    const auto rows = call.connection.Query(
        "SELECT H.NRPEDIDO, H.NRITEMPED, H.IDOPERACAO, H.DTOPERACAO, H.CDOPERADOR, O.NMOPERADOR, "
        "H.CDJUSTEXCHIS, J.DSJUSTEXCHIS, H.IDSITANTERIOR, H.IDSITNOVA, I.QTITEMPED, I.VRPREUNITPED "
        "FROM HISTCANCPED H JOIN PEDIDO P ON P.CDFILIAL = H.CDFILIAL AND P.NRPEDIDO = H.NRPEDIDO "
        "LEFT JOIN OPERADOR O ON O.CDOPERADOR = H.CDOPERADOR "
        "LEFT JOIN JUSTEXCHIS J ON J.CDJUSTEXCHIS = H.CDJUSTEXCHIS "
        "LEFT JOIN ITEMPEDIDO I ON I.CDFILIAL = H.CDFILIAL AND I.NRPEDIDO = H.NRPEDIDO AND "
        "I.NRITEMPED = H.NRITEMPED WHERE 1 = 1" +
            filter.where.Where() + " ORDER BY H.NRPEDIDO, H.DTOPERACAO, H.IDHIST" + RowCap(call.limits),
        filter.where.Params());
    RequireRowsWithinCap(rows, call.limits);
    Packet packet(call.answer, {{"NRPEDIDO", "string", 10},
                   {"NRITEMPED", "string", 10},
                   {"IDOPERACAO", "string", 2},
                   {"DTOPERACAO", "datetime"},
                   {"CDOPERADOR", "string", 12},
                   {"NMOPERADOR", "string", 50},
                   {"CDJUSTEXCHIS", "string", 4},
                   {"DSJUSTEXCHIS", "string", 40},
                   {"IDSITANTERIOR", "string", 1},
                   {"IDSITNOVA", "string", 1},
                   {"VRITEMPED", "float"}});
    for (const auto& row : rows) {
        const PacketCell value = sqldb::IsNull(row[10]) ? PacketCell() : Money(ItemValue(row[10], row[11]));
        packet.AddRow({TextOrNull(row[0]), TextOrNull(row[1]), TextOrNull(row[2]), DateTimeOrNull(row[3]),
                       TextOrNull(row[4]), TextOrNull(row[5]), TextOrNull(row[6]), TextOrNull(row[7]),
                       TextOrNull(row[8]), TextOrNull(row[9]), value});
    }
    return packet.ToResult();
}

const MethodTable& Table() {
    static const MethodTable methods = {
        {"GetRelPedido", &GetRelPedido},
        {"GetRelItemPedido", &GetRelItemPedido},
        {"GetRelHistorico", &GetRelHistorico},
    };
    return methods;
}

} // namespace

MethodResult RelPedidoService::Call(std::string_view method, const MethodCall& call) {
    return CallMethod(Table(), method, call);
}

} // namespace pedserver
