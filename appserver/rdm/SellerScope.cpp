#include "rdm/SellerScope.h"

namespace pedserver {
namespace {

// The seller is looked up by its key for each order: a list of the operator's sellers
// (`IN (SELECT ...)`) would be built afresh on every execution, which SQLite does in a temporary
// table of its own.
std::string Rule(const std::string& branch, const std::string& sellerColumn) {
    return " AND (EXISTS (SELECT 1 FROM OPERTPED T WHERE T.CDFILIAL = " + branch +
           " AND T.CDOPERADOR = :ESCOPO_OPERADOR) OR EXISTS (SELECT 1 FROM VENDEDOR ESCOPO_V WHERE "
           "ESCOPO_V.CDVENDEDOR = " +
           sellerColumn + " AND ESCOPO_V.CDOPERADOR = :ESCOPO_OPERADOR))";
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
