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

bool SellerScope::Allows(sqldb::Connection& connection, const std::string& seller) const {
    if (!m_restricted)
        return true;
    return !connection
                .Query("SELECT 1 FROM VENDEDOR WHERE CDVENDEDOR = :VENDEDOR AND CDOPERADOR = :OPERADOR",
                       {{"VENDEDOR", seller}, {"OPERADOR", m_operator}})
                .IsEmpty();
}

} // namespace pedserver
