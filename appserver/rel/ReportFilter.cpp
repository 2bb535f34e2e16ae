#include "rel/ReportFilter.h"

#include "rdm/Methods.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "rdm/SellerScope.h"

namespace pedserver {

ReportFilter ReportFilter::Read(sqldb::Connection& connection, const nlohmann::json& params,
                                std::string_view method, const std::string& tokenOperator) {
    const ParamReader reader(params, method, ParamCount);
    ReportFilter filter;
    filter.filial = reader.Text(0, "filial", Size::Filial);
    filter.operador = reader.Text(1, "operador", Size::Operador);
    RequireTokenOperator(filter.operador, tokenOperator);
    const auto from = reader.Date(2, "data inicial");
    const auto to = reader.Date(3, "data final");
    // A report without a period would read the whole history of the branch in one answer.
    if (!from || !to)
        throw RpcError(RpcCode::InvalidParams, "Período de emissão deve ser informado.");
    if (*from > *to)
        throw RpcError(RpcCode::InvalidParams, "Período de emissão inválido: data inicial após a final.");
    const auto situations = reader.Text(4, "situações do pedido", 10);
    const auto seller = reader.Text(5, "vendedor", Size::Vendedor);
    auto& where = filter.where;
    where.Equals("P.CDFILIAL", filter.filial);
    where.Between("P.DTPEDIDO", *from, *to);
    where.InCodes("P.IDSITPEDIDO", situations, "123456", "situação do pedido");
    if (!seller.empty())
        where.Equals("P.CDVENDEDOR", seller);
    where.Append(
        SellerScope(connection, filter.filial, tokenOperator).Condition("P.CDVENDEDOR", where.Params()));
    return filter;
}

} // namespace pedserver
