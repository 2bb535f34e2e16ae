#pragma once

#include "sqldb/Connection.h"

#include <memory>

struct sqlite3;

namespace sqldb {

// A connection to an SQLite file: WAL journal, a busy timeout so writers queue, foreign keys on.
class SqliteConnection final : public Connection {
public:
    explicit SqliteConnection(const std::string& path);

    Backend GetBackend() const override { return Backend::Sqlite; }
    void Execute(std::string_view sql, const Params& params = {}) override;
    Rows Query(std::string_view sql, const Params& params = {}) override;
    std::int64_t Changes() const override { return m_changes; }
    void ExecuteScript(std::string_view sql) override;
    bool IsHealthy() const override { return true; }

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    std::unique_ptr<sqlite3, Closer> m_db;
    std::int64_t m_changes = 0;
};

} // namespace sqldb
