#pragma once

#include "sqldb/Connection.h"

#include <string>

namespace pedserver {

// Which orders of a branch an operator may see and change: every order when he has an
// OPERTPED row for the branch, otherwise only those of the sellers linked to him.
class SellerScope {
public:
    SellerScope(sqldb::Connection& connection, const std::string& filial, const std::string& operatorCode);

    // A condition on a seller column to add to a WHERE clause ("" when not restricted); it
    // adds its own bound parameter.
    std::string Condition(const std::string& sellerColumn, sqldb::Params& params) const;
    // The same rule for orders of any branch (alias `order` for PEDIDO): each order is judged by
    // the operator's rights in its own branch.
    static std::string AnyBranchCondition(const std::string& order, const std::string& operatorCode,
                                          sqldb::Params& params);

private:
    std::string m_operator;
    bool m_restricted;
};

} // namespace pedserver
