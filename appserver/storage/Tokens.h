#pragma once

#include "sqldb/Connection.h"

#include <optional>
#include <string>

namespace pedserver {

// Issues a random access token for an existing operator; only its SHA-256 hash is stored.
// Throws std::invalid_argument for an unknown operator.
std::string IssueToken(sqldb::Connection& connection, const std::string& operatorCode);

// The operator a token belongs to, or nothing for an unknown token.
std::optional<std::string> OperatorForToken(sqldb::Connection& connection, const std::string& token);

} // namespace pedserver
