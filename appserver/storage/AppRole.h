#pragma once

#include "sqldb/Connection.h"

#include <string>

namespace pedserver {

// Gives a PostgreSQL role what a serving pedserver needs of the schema and nothing more: it reads
// every table, updates only the columns the commands change, appends to the audit (HISTCANCPED:
// no update, delete or truncate), counts failed sign-ins and opens sign-in sessions, but issues
// no machine token (a row-level policy lets it insert only sessions that end within two days);
// no DDL. Nobody else (PUBLIC) gets anything. Run by the schema's owner, after every upgrade.
// Throws std::invalid_argument for SQLite or a name that is not a plain role name.
void GrantAppRole(sqldb::Connection& connection, const std::string& role);

} // namespace pedserver
