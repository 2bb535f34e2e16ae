#include "rdm/SellerScope.h"

namespace pedserver {
namespace {

std::string Rule(const std::string& branch, const std::string& sellerColumn) {
    return " AND (EXISTS (SELECT 1 FROM OPERTPED T WHERE T.CDFILIAL = " + branch +
           " AND T.CDOPERADOR = :ESCOPO_OPERADOR) OR " + sellerColumn +
           " IN (SELECT CDVENDEDOR FROM VENDEDOR WHERE CDOPERADOR = :ESCOPO_OPERADOR))";
}

} // namespace

std::string SellerScope::Condition(const std::string& filial, const std::string& sellerColumn,
                                   const std::string& operatorCode, sqldb::Params& params) {
    params["ESCOPO_FILIAL"] = filial;
    params["ESCOPO_OPERADOR"] = operatorCode;
    return Rule(":ESCOPO_FILIAL", sellerColumn);
}

std::string SellerScope::AnyBranchCondition(const std::string& order, const std::string& operatorCode,
                                            sqldb::Params& params) {
    params["ESCOPO_OPERADOR"] = operatorCode;
    return Rule(order + ".CDFILIAL", order + ".CDVENDEDOR");
}

} // namespace pedserver
