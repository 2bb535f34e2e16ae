#pragma once

#include "sqldb/ConnectionPool.h"
#include "sqldb/Transaction.h"

#include <optional>

namespace pedserver {

// The pooled connection that one thread's calls of a request run on, borrowed at first use and
// given back at the end. Calls that only read may share one read transaction instead of one per
// statement; it begins at first use and ends after a call that failed, so that a failed statement
// cannot spoil the calls after it (PostgreSQL aborts the whole transaction).
class CallConnection {
public:
    CallConnection(sqldb::ConnectionPool& pool, bool shareReadTransaction)
        : m_pool(pool), m_shareRead(shareReadTransaction) {}

    // Waits for a connection at most the pool's acquire time (sqldb::PoolBusy after that).
    sqldb::Connection& Get();
    // Takes a connection only if one is free now.
    bool TryAcquire();
    void AfterFailure() { m_read.reset(); }

private:
    sqldb::ConnectionPool& m_pool;
    bool m_shareRead;
    std::optional<sqldb::Lease> m_lease;
    // Declared after the lease: it ends before the connection goes back.
    std::optional<sqldb::Transaction> m_read;
};

} // namespace pedserver
