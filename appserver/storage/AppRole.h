#pragma once

#include "sqldb/Connection.h"

#include <string>

namespace pedserver {

// Gives a PostgreSQL role what a serving pedserver needs of the schema and nothing more: it reads
// every table, updates only the columns the commands change, appends to the audit (HISTCANCPED:
// no update, delete or truncate) and only reads the tokens, which the schema's owner issues; no
// DDL. Nobody else (PUBLIC) gets anything. Run by the schema's owner, after every upgrade.
// Throws std::invalid_argument for SQLite or a name that is not a plain role name.
void GrantAppRole(sqldb::Connection& connection, const std::string& role);

} // namespace pedserver
