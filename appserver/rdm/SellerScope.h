#pragma once

#include "sqldb/Params.h"

#include <string>

namespace pedserver {

// Which orders of a branch an operator may see and change: every order when he has an
// OPERTPED row for the branch, otherwise only those of the sellers linked to him. The rule is
// judged inside the statement that reads the orders, never by a statement of its own: one
// statement (on PostgreSQL a round trip) less per call.
class SellerScope {
public:
    SellerScope() = delete;

    // A condition to add to a WHERE clause on orders of the branch `filial`, whose seller is in
    // `sellerColumn`, named with its table or alias (it is read inside a subquery); it binds its
    // own parameters.
    static std::string Condition(const std::string& filial, const std::string& sellerColumn,
                                 const std::string& operatorCode, sqldb::Params& params);
    // The same rule for orders of any branch (alias `order` for PEDIDO): each order is judged by
    // the operator's rights in its own branch.
    static std::string AnyBranchCondition(const std::string& order, const std::string& operatorCode,
                                          sqldb::Params& params);
};

} // namespace pedserver
