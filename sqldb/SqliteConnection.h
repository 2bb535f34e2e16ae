#pragma once

#include "sqldb/Connection.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace sqldb {

// A connection to an SQLite file: WAL journal, a busy timeout so writers queue, foreign keys on.
// Statements are prepared once per connection and kept by their text (reset and rebound on every
// use), since preparing costs more than running the screen's small queries.
class SqliteConnection final : public Connection {
public:
    explicit SqliteConnection(const std::string& path);

    Backend GetBackend() const override { return Backend::Sqlite; }
    void Execute(std::string_view sql, const Params& params = {}) override;
    Rows Query(std::string_view sql, const Params& params = {}) override;
    std::int64_t Changes() const override { return m_changes; }
    void ExecuteScript(std::string_view sql) override;
    bool IsHealthy() const override { return true; }
    void SetStatementTimeout(std::chrono::milliseconds limit) override;
    // Checked statement by statement: the query_only pragma would do it too, but setting it
    // makes SQLite prepare every cached statement again.
    void RefuseWrites(bool refuse) override { m_refuseWrites = refuse; }

    // How many statements a connection keeps prepared; past that the cache starts again.
    static constexpr std::size_t MaxCachedStatements = 128;

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const noexcept;
    };
    using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

    // The prepared statement for the text, ready to bind: reset, with no bindings.
    sqlite3_stmt* Cached(std::string_view sql);
    // Cached, and refused when it would write while writes are refused.
    sqlite3_stmt* Allowed(std::string_view sql);
    // Throws for a failed step: StatementTimeout when the limit stopped it or a lock outlasted it.
    void CheckStep(int rc, std::string_view sql) const;
    static int OnProgress(void* self);

    std::unique_ptr<sqlite3, Closer> m_db;
    // Declared after the database so that the statements are finalized before it closes.
    // Looked up by the text as given, without a copy of it for every use.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, Statement, TextHash, std::equal_to<>> m_statements;
    std::int64_t m_changes = 0;
    bool m_refuseWrites = false;
    std::chrono::milliseconds m_timeout{0};
    std::chrono::steady_clock::time_point m_deadline;
};

} // namespace sqldb
