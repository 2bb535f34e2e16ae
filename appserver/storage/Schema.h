#pragma once

#include "sqldb/Connection.h"

namespace pedserver {

// Creates the schema, or brings an older one up to date; running it again changes nothing.
void MigrateSchema(sqldb::Connection& connection);

// The schema version the database is at (0 for an empty database).
int SchemaVersion(sqldb::Connection& connection);

} // namespace pedserver
