#include "rdm/SellerScope.h"

namespace pedserver {

SellerScope::SellerScope(sqldb::Connection& connection, const std::string& filial,
                         const std::string& operatorCode)
    : m_operator(operatorCode) {
    m_restricted = connection
                       .Query("SELECT 1 FROM OPERTPED WHERE CDFILIAL = :FILIAL AND CDOPERADOR = :OPERADOR",
                              {{"FILIAL", filial}, {"OPERADOR", operatorCode}})
                       .IsEmpty();
}

std::string SellerScope::Condition(const std::string& sellerColumn, sqldb::Params& params) const {
    if (!m_restricted)
        return {};
    params["ESCOPO_OPERADOR"] = m_operator;
    return " AND " + sellerColumn +
           " IN (SELECT CDVENDEDOR FROM VENDEDOR WHERE CDOPERADOR = :ESCOPO_OPERADOR)";
}

std::string SellerScope::AnyBranchCondition(const std::string& order, const std::string& operatorCode,
                                            sqldb::Params& params) {
    params["ESCOPO_OPERADOR"] = operatorCode;
    return " AND (EXISTS (SELECT 1 FROM OPERTPED T WHERE T.CDFILIAL = " + order +
           ".CDFILIAL AND T.CDOPERADOR = :ESCOPO_OPERADOR) OR " + order +
           ".CDVENDEDOR IN (SELECT CDVENDEDOR FROM VENDEDOR WHERE CDOPERADOR = :ESCOPO_OPERADOR))";
}

} // namespace pedserver
