#pragma once

#include "sqldb/Connection.h"

#include <chrono>
#include <cstdint>

namespace pedserver {

// A realistic demo database around `today` (branches, parameters, operators, sellers, clients,
// products, justifications, commitments and a few hundred orders). The same day gives the same
// data. Expects a migrated, empty database.
void SeedDemo(sqldb::Connection& connection, std::chrono::year_month_day today);

// Adds `orders` orders of `itemsPerOrder` items each to branch "0001" of a seeded database, for
// load tests; the same seed gives the same data.
void SeedVolume(sqldb::Connection& connection, int orders, int itemsPerOrder, std::uint64_t seed);

} // namespace pedserver
