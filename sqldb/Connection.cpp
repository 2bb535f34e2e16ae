#include "sqldb/Connection.h"

#include "PostgresConnection.h"
#include "SqliteConnection.h"

namespace sqldb {

namespace {

constexpr std::string_view SqlitePrefix = "sqlite:";

} // namespace

Backend Connection::BackendOf(const std::string& url) {
    if (url.starts_with(SqlitePrefix))
        return Backend::Sqlite;
    if (url.starts_with("postgresql://") || url.starts_with("postgres://"))
        return Backend::Postgres;
    throw SqlError("database URL \"" + url + "\" is neither sqlite:PATH nor postgresql://...");
}

std::unique_ptr<Connection> Connection::Open(const std::string& url) {
    if (BackendOf(url) == Backend::Postgres)
        return std::make_unique<PostgresConnection>(url);
    const auto path = url.substr(SqlitePrefix.size());
    if (path.empty())
        throw SqlError("database URL \"" + url + "\" names no file");
    return std::make_unique<SqliteConnection>(path);
}

} // namespace sqldb
