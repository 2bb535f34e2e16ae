#include "rdm/CodeList.h"
#include "rdm/Methods.h"
#include "rdm/Packet.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "rdm/SellerScope.h"
#include "storage/Decimal.h"

#include <map>
#include <set>

namespace pedserver {
namespace {

// A list's text is judged by its codes, counted before any is looked up; the body's size limit
// bounds the text itself.
constexpr std::size_t kListChars = 8 * 1024 * 1024;

} // namespace

MethodResult GetBloqueioPedido(const MethodCall& call) {
    const ParamReader reader(call.params, "GetBloqueioPedido", 2);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto list = SplitCodes(reader.Text(1, "pedidos", kListChars), Size::Pedido,
                                 call.limits.maxListEntries, "pedidos");
    const std::set<std::string> wanted(list.begin(), list.end());
    // Few orders are being edited at any time: read the branch's (through the index of edited
    // orders, which an ORDER BY would make SQLite forgo) and keep those asked for, in order.
    sqldb::Params query{{"FILIAL", filial}};
    const auto scope = SellerScope::Condition(filial, "P.CDVENDEDOR", call.tokenOperator, query);
    const auto rows = call.connection.Query(
        "SELECT P.NRPEDIDO, P.CDOPERALTE, O.NMOPERADOR, P.DTOPERALTE FROM PEDIDO P LEFT JOIN OPERADOR O "
        "ON O.CDOPERADOR = P.CDOPERALTE WHERE P.CDFILIAL = :FILIAL AND P.CDOPERALTE IS NOT NULL" +
            scope,
        query);
    std::map<std::string, const sqldb::Row*> edited;
    for (const auto& row : rows) {
        if (wanted.contains(sqldb::AsText(row[0])))
            edited.emplace(sqldb::AsText(row[0]), &row);
    }
    Packet packet(call.answer, {{"NRPEDIDO", "string", 10},
                                {"CDOPERALTE", "string", 12},
                                {"NMOPERADOR", "string", 50},
                                {"DTOPERALTE", "datetime"}});
    for (const auto& [order, row] : edited)
        packet.AddRow({TextOrNull((*row)[0]), TextOrNull((*row)[1]), TextOrNull((*row)[2]), DateTimeOrNull((*row)[3])});
    return packet.ToResult();
}

// A commitment is answered only when the operator may see one of its orders, and its orders'
// value counts only those; any other commitment gives no row, exactly as an unknown one.
MethodResult GetSaldoEmpenho(const MethodCall& call) {
    const ParamReader reader(call.params, "GetSaldoEmpenho", 1);
    const auto list = SplitCodes(reader.Text(0, "empenhos", kListChars),
                                 Size::Empenho, call.limits.maxListEntries, "empenhos");
    const std::set<std::string> commitments(list.begin(), list.end());
    Packet packet(call.answer, {{"NREMPENHO", "string", 20}, {"VRSALDO", "float"}, {"VRPEDIDOS", "float"}});
    for (const auto& commitment : commitments) {
        sqldb::Params query{{"EMPENHO", commitment}};
        const auto items = call.connection.Query(
            "SELECT I.QTITEMPED, I.VRPREUNITPED, I.IDSITITEMPED FROM PEDIDO P LEFT JOIN ITEMPEDIDO I ON "
            "I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = P.NRPEDIDO WHERE P.NREMPENHO = :EMPENHO" +
                SellerScope::AnyBranchCondition("P", call.tokenOperator, query),
            query);
        const auto balance = call.connection.Query("SELECT VRSALDO FROM EMPENHO WHERE NREMPENHO = :EMPENHO",
                                                   {{"EMPENHO", commitment}});
        if (items.IsEmpty() || balance.IsEmpty())
            continue;
        Decimal live;
        for (const auto& item : items) {
            // An order without items comes as one row of nulls.
            if (!sqldb::IsNull(item[2]) && sqldb::AsText(item[2]) != "5")
                live += Decimal::FromValue(item[0]).Times(Decimal::FromValue(item[1])).RoundedToCents();
        }
        packet.AddRow({commitment, Decimal::FromValue(balance.At(0, "VRSALDO")).ToDouble(), live.ToDouble()});
    }
    return packet.ToResult();
}

} // namespace pedserver
