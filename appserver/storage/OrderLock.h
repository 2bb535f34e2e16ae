#pragma once

#include "sqldb/Connection.h"

#include <string>

namespace pedserver {

// Marks an order as being edited by an operator (CDOPERALTE, DTOPERALTE), as the order-entry
// screens do; the cancellation methods refuse such an order to everybody else.
// Throws std::invalid_argument when the order does not exist.
void LockOrder(sqldb::Connection& connection, const std::string& filial, const std::string& pedido,
               const std::string& operatorCode);
void UnlockOrder(sqldb::Connection& connection, const std::string& filial, const std::string& pedido);

} // namespace pedserver
