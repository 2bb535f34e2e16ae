#pragma once

#include "sqldb/Connection.h"

#include <memory>

struct pg_conn;
struct pg_result;

namespace sqldb {

// A libpq session. Parameters travel as text of unknown type so that the server infers each
// from its use; NUMERIC results come back as exact text, integers as integers.
class PostgresConnection final : public Connection {
public:
    explicit PostgresConnection(const std::string& url);

    Backend GetBackend() const override { return Backend::Postgres; }
    void Execute(std::string_view sql, const Params& params = {}) override;
    Rows Query(std::string_view sql, const Params& params = {}) override;
    std::int64_t Changes() const override { return m_changes; }
    void ExecuteScript(std::string_view sql) override;
    bool IsHealthy() const override;

private:
    struct Finisher {
        void operator()(pg_conn* connection) const noexcept;
    };
    struct ResultClearer {
        void operator()(pg_result* result) const noexcept;
    };
    using Result = std::unique_ptr<pg_result, ResultClearer>;

    Result Run(std::string_view sql, const Params& params);

    std::unique_ptr<pg_conn, Finisher> m_connection;
    std::int64_t m_changes = 0;
};

} // namespace sqldb
