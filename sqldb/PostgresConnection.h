#pragma once

#include "sqldb/Connection.h"

#include <chrono>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct pg_conn;
struct pg_result;

namespace sqldb {

// A libpq session. Parameters travel as text of unknown type so that the server infers each
// from its use; NUMERIC results come back as exact text, integers as integers. Each statement text
// is prepared once per session under a name of its own and then only executed.
class PostgresConnection final : public Connection {
public:
    explicit PostgresConnection(const std::string& url);

    Backend GetBackend() const override { return Backend::Postgres; }
    void Execute(std::string_view sql, const Params& params = {}) override;
    Rows Query(std::string_view sql, const Params& params = {}) override;
    std::int64_t Changes() const override { return m_changes; }
    void ExecuteScript(std::string_view sql) override;
    bool IsHealthy() const override;
    void SetStatementTimeout(std::chrono::milliseconds limit) override;
    // While on, each statement runs as a read-only transaction of its own, its BEGIN and COMMIT
    // in one pipeline with it: one round trip. Under read committed each statement reads its own
    // snapshot either way, so this reads exactly what one transaction around them all would.
    void RefuseWrites(bool refuse) override { m_readOnly = refuse; }
    void ExecuteWithNext(std::string_view sql) override;
    bool DropUnsent() override;

    // How many statements a session keeps prepared; past that they are all deallocated.
    static constexpr std::size_t MaxCachedStatements = 128;

private:
    struct Finisher {
        void operator()(pg_conn* connection) const noexcept;
    };
    struct ResultClearer {
        void operator()(pg_result* result) const noexcept;
    };
    using Result = std::unique_ptr<pg_result, ResultClearer>;

    struct Prepared {
        std::string Name;
        std::vector<std::string> Parameters; // Parameters[i] is $(i+1)
    };

    Result Run(std::string_view sql, const Params& params);
    // `before`, the prepared statement and `after` (when given) in one pipeline: the prepared
    // statement's result.
    Result RunInPipeline(const std::string& before, const Prepared& prepared,
                         const std::vector<const char*>& values, std::string_view sql, const char* after);
    // A pipelined statement's first result; the rest of its results, up to the null that ends
    // them, are read and dropped.
    static Result NextResult(pg_conn* connection);
    // Runs the unsent statement on its own, before a statement that cannot join it.
    void SendUnsent();
    const Prepared& Prepare(std::string_view sql);

    std::unique_ptr<pg_conn, Finisher> m_connection;
    std::unordered_map<std::string, Prepared> m_prepared;
    int m_preparedCount = 0;
    std::string m_unsent; // held by ExecuteWithNext until the next statement
    bool m_readOnly = false;

    std::int64_t m_changes = 0;
};

} // namespace sqldb
