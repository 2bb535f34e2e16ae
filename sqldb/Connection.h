#pragma once

#include "sqldb/Backend.h"
#include "sqldb/Params.h"
#include "sqldb/Rows.h"
#include "sqldb/SqlError.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace sqldb {

// One database session. Statements use :NAME parameters, which are always bound, never spliced
// into the text. A connection belongs to one thread at a time.
class Connection {
public:
    virtual ~Connection() = default;
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // "sqlite:PATH" or "postgresql://..." (also "postgres://..."); throws SqlError otherwise.
    static std::unique_ptr<Connection> Open(const std::string& url);
    // The backend a URL names; throws SqlError as Open does.
    static Backend BackendOf(const std::string& url);

    virtual Backend GetBackend() const = 0;
    virtual void Execute(std::string_view sql, const Params& params = {}) = 0;
    virtual Rows Query(std::string_view sql, const Params& params = {}) = 0;
    // Rows inserted, updated or deleted by the last Execute.
    virtual std::int64_t Changes() const = 0;
    // Runs a script of several statements without parameters (schema creation).
    virtual void ExecuteScript(std::string_view sql) = 0;
    // True while the session can still be used (a PostgreSQL connection may have dropped).
    virtual bool IsHealthy() const = 0;
    // From now on a statement that runs, or waits for a lock, longer than `limit` is stopped with
    // StatementTimeout; zero lifts the limit.
    virtual void SetStatementTimeout(std::chrono::milliseconds limit) = 0;
    // While on, every statement that would change the database fails before it runs (a read
    // transaction's guard; PostgreSQL runs each statement as a READ ONLY transaction).
    virtual void RefuseWrites(bool refuse) = 0;
    // Runs a statement without parameters or rows (a transaction's BEGIN) together with the next
    // statement instead of on its own: PostgreSQL sends both in one pipeline, a round trip
    // saved. SQLite, in-process, runs it at once.
    virtual void ExecuteWithNext(std::string_view sql) { Execute(sql); }
    // Forgets the statement ExecuteWithNext holds when none has followed it; true if there was one.
    virtual bool DropUnsent() { return false; }
};

} // namespace sqldb
