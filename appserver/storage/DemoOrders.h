#pragma once

#include "sqldb/Connection.h"

#include <chrono>

namespace pedserver {

// The demo's orders of all three branches, covering every order and item situation, every
// priority, commitments, deliveries, lot reservations and one order being edited.
void SeedDemoOrders(sqldb::Connection& connection, std::chrono::sys_days today);

} // namespace pedserver
