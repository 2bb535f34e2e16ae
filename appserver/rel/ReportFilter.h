#pragma once

#include "rdm/MethodCall.h"
#include "rdm/OrderFilter.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// The six parameters every report call takes (branch, operator, first and last order date,
// order situations, seller or "" for all), checked and turned into the orders' WHERE clause
// over PEDIDO P, the seller restriction of the operator included. A period longer than the
// server's limit is refused before anything is read.
struct ReportFilter {
    std::string filial;
    std::string operador;
    OrderFilter where;

    static constexpr std::size_t ParamCount = 6;
    static ReportFilter Read(const MethodCall& call, std::string_view method);
};

} // namespace pedserver
