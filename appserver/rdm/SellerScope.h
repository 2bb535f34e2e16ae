#pragma once

#include "sqldb/Connection.h"

#include <string>

namespace pedserver {

// Which orders of a branch an operator may see and change: every order when he has an
// OPERTPED row for the branch, otherwise only those of the sellers linked to him.
class SellerScope {
public:
    SellerScope(sqldb::Connection& connection, const std::string& filial, const std::string& operatorCode);

    bool IsRestricted() const { return m_restricted; }
    // A condition on a seller column to add to a WHERE clause ("" when not restricted); it
    // adds its own bound parameter.
    std::string Condition(const std::string& sellerColumn, sqldb::Params& params) const;
    bool Allows(sqldb::Connection& connection, const std::string& seller) const;

private:
    std::string m_operator;
    bool m_restricted;
};

} // namespace pedserver
