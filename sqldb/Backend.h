#pragma once

namespace sqldb {

enum class Backend { Sqlite, Postgres };

} // namespace sqldb
