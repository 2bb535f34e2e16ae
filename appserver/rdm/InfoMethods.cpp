#include "rdm/Methods.h"
#include "rdm/Packet.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "rdm/SellerScope.h"
#include "rdm/Utf8.h"
#include "storage/Decimal.h"

#include <set>

namespace pedserver {
namespace {

// More entries than a screen ever loads; the request's size limit bounds the text anyway.
constexpr std::size_t kMaxListEntries = 100000;

// The "_"-joined codes of a list parameter; an empty text is the empty list.
std::set<std::string> CodeList(const std::string& list, std::size_t maxChars, const std::string& what) {
    std::set<std::string> codes;
    for (std::size_t start = 0; !list.empty() && start <= list.size();) {
        auto end = list.find('_', start);
        if (end == std::string::npos)
            end = list.size();
        const auto code = list.substr(start, end - start);
        if (code.empty() || CharCount(code) > maxChars)
            throw RpcError(RpcCode::InvalidParams,
                           "Lista de " + what + " inválida: código \"" + CutToChars(code, 40) + "\".");
        codes.insert(code);
        if (codes.size() > kMaxListEntries)
            throw RpcError(RpcCode::InvalidParams, "Lista de " + what + " com códigos demais.");
        start = end + 1;
    }
    return codes;
}

// The value of the live (not cancelled) items of the commitment's orders, each to the centavo.
Decimal LiveItemsValue(sqldb::Connection& connection, const std::string& commitment) {
    Decimal total;
    for (const auto& row :
         connection.Query("SELECT I.QTITEMPED, I.VRPREUNITPED FROM ITEMPEDIDO I JOIN PEDIDO P ON "
                          "P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO WHERE P.NREMPENHO = "
                          ":EMPENHO AND I.IDSITITEMPED <> '5'",
                          {{"EMPENHO", commitment}}))
        total += Decimal::FromValue(row[0]).Times(Decimal::FromValue(row[1])).RoundedToCents();
    return total;
}

} // namespace

nlohmann::json GetBloqueioPedido(sqldb::Connection& connection, const nlohmann::json& params,
                                 const std::string& tokenOperator) {
    const ParamReader reader(params, "GetBloqueioPedido", 2);
    const auto filial = reader.Text(0, "filial", Size::Filial);
    const auto wanted =
        CodeList(reader.Text(1, "pedidos", (Size::Pedido + 1) * kMaxListEntries), Size::Pedido, "pedidos");
    // Few orders are being edited at any time: read the branch's and keep those asked for.
    sqldb::Params query{{"FILIAL", filial}};
    const auto scope = SellerScope(connection, filial, tokenOperator).Condition("P.CDVENDEDOR", query);
    const auto rows = connection.Query(
        "SELECT P.NRPEDIDO, P.CDOPERALTE, O.NMOPERADOR, P.DTOPERALTE FROM PEDIDO P LEFT JOIN OPERADOR O "
        "ON O.CDOPERADOR = P.CDOPERALTE WHERE P.CDFILIAL = :FILIAL AND P.CDOPERALTE IS NOT NULL" +
            scope + " ORDER BY P.NRPEDIDO",
        query);
    Packet packet({{"NRPEDIDO", "string", 10},
                   {"CDOPERALTE", "string", 12},
                   {"NMOPERADOR", "string", 50},
                   {"DTOPERALTE", "datetime"}});
    for (const auto& row : rows) {
        if (wanted.contains(sqldb::AsText(row[0])))
            packet.AddRow({TextOrNull(row[0]), TextOrNull(row[1]), TextOrNull(row[2]), DateTimeOrNull(row[3])});
    }
    return packet.ToResult();
}

nlohmann::json GetSaldoEmpenho(sqldb::Connection& connection, const nlohmann::json& params,
                               const std::string&) {
    const ParamReader reader(params, "GetSaldoEmpenho", 1);
    const auto commitments =
        CodeList(reader.Text(0, "empenhos", 21 * kMaxListEntries), Size::Empenho, "empenhos");
    Packet packet({{"NREMPENHO", "string", 20}, {"VRSALDO", "float"}, {"VRPEDIDOS", "float"}});
    for (const auto& commitment : commitments) {
        const auto rows = connection.Query("SELECT VRSALDO FROM EMPENHO WHERE NREMPENHO = :EMPENHO",
                                           {{"EMPENHO", commitment}});
        if (rows.IsEmpty())
            continue;
        packet.AddRow({commitment, Decimal::FromValue(rows.At(0, "VRSALDO")).ToDouble(),
                       LiveItemsValue(connection, commitment).ToDouble()});
    }
    return packet.ToResult();
}

} // namespace pedserver
