#include "rel/ReportFilter.h"

#include "rdm/Methods.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "rdm/SellerScope.h"
#include "rdm/Thousands.h"

#include <chrono>

namespace pedserver {
namespace {

// Days from `from` to `to`, both counted; the texts are checked ISO days.
long long DaysCovered(const std::string& from, const std::string& to) {
    const auto day = [](const std::string& iso) {
        const std::chrono::year_month_day date{std::chrono::year(std::stoi(iso.substr(0, 4))),
                                               std::chrono::month(static_cast<unsigned>(std::stoi(iso.substr(5, 2)))),
                                               std::chrono::day(static_cast<unsigned>(std::stoi(iso.substr(8, 2))))};
        return std::chrono::sys_days(date);
    };
    return (day(to) - day(from)).count() + 1;
}

void RequirePeriodWithinLimit(const std::string& from, const std::string& to, int maxDays) {
    const long long days = DaysCovered(from, to);
    if (days > maxDays)
        throw RpcError(RpcCode::PeriodTooLong, "Período de emissão de " + Thousands(static_cast<std::size_t>(days)) +
                                                   " dias, acima do limite do servidor de " +
                                                   Thousands(static_cast<std::size_t>(maxDays)) +
                                                   " dias: reduza o período.");
}

} // namespace

ReportFilter ReportFilter::Read(const MethodCall& call, std::string_view method) {
    const ParamReader reader(call.params, method, ParamCount);
    ReportFilter filter;
    filter.filial = reader.Text(0, "filial", Size::Filial);
    filter.operador = reader.Text(1, "operador", Size::Operador);
    RequireTokenOperator(filter.operador, call.tokenOperator);
    const auto from = reader.Date(2, "data inicial");
    const auto to = reader.Date(3, "data final");
    // A report without a period would read the whole history of the branch in one answer.
    if (!from || !to)
        throw RpcError(RpcCode::InvalidParams, "Período de emissão deve ser informado.");
    if (*from > *to)
        throw RpcError(RpcCode::InvalidParams, "Período de emissão inválido: data inicial após a final.");
    RequirePeriodWithinLimit(*from, *to, call.limits.maxReportDays);
    const auto situations = reader.Text(4, "situações do pedido", 10);
    const auto seller = reader.Text(5, "vendedor", Size::Vendedor);
    auto& where = filter.where;
    where.Equals("P.CDFILIAL", filter.filial);
    where.Between("P.DTPEDIDO", *from, *to);
    where.InCodes("P.IDSITPEDIDO", situations, "123456", "situação do pedido");
    if (!seller.empty())
        where.Equals("P.CDVENDEDOR", seller);
    where.Append(SellerScope::Condition(filter.filial, "P.CDVENDEDOR", call.tokenOperator, where.Params()));
    return filter;
}

} // namespace pedserver
