#pragma once

#include <stdexcept>
#include <string>

namespace sqldb {

// Any failure of the database layer: a bad URL, a connection, a statement, a missing parameter.
class SqlError : public std::runtime_error {
public:
    explicit SqlError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace sqldb
