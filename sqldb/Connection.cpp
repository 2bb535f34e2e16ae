#include "sqldb/Connection.h"

#include "PostgresConnection.h"
#include "SqliteConnection.h"

namespace sqldb {

std::unique_ptr<Connection> Connection::Open(const std::string& url) {
    constexpr std::string_view sqlite = "sqlite:";
    if (url.starts_with(sqlite)) {
        const auto path = url.substr(sqlite.size());
        if (path.empty())
            throw SqlError("database URL \"" + url + "\" names no file");
        return std::make_unique<SqliteConnection>(path);
    }
    if (url.starts_with("postgresql://") || url.starts_with("postgres://"))
        return std::make_unique<PostgresConnection>(url);
    throw SqlError("database URL \"" + url + "\" is neither sqlite:PATH nor postgresql://...");
}

} // namespace sqldb
