#pragma once

#include "rdm/OrderFilter.h"
#include "sqldb/Connection.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// The six parameters every report call takes (branch, operator, first and last order date,
// order situations, seller or "" for all), checked and turned into the orders' WHERE clause
// over PEDIDO P, the seller restriction of the operator included.
struct ReportFilter {
    std::string filial;
    std::string operador;
    OrderFilter where;

    static constexpr std::size_t ParamCount = 6;
    static ReportFilter Read(sqldb::Connection& connection, const nlohmann::json& params,
                             std::string_view method, const std::string& tokenOperator);
};

} // namespace pedserver
