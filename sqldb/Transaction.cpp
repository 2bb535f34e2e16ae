#include "sqldb/Transaction.h"

namespace sqldb {

Transaction::Transaction(Connection& connection, Mode mode)
    : m_connection(connection),
      m_queryOnly(mode == Mode::Read && connection.GetBackend() == Backend::Sqlite) {
    const bool sqlite = m_connection.GetBackend() == Backend::Sqlite;
    if (mode == Mode::Read)
        m_connection.Execute(sqlite ? "BEGIN" : "BEGIN READ ONLY");
    else
        m_connection.Execute(sqlite ? "BEGIN IMMEDIATE" : "BEGIN");
    // SQLite has no read-only transactions: the session refuses writes for as long as this lasts.
    if (m_queryOnly)
        m_connection.ExecuteScript("PRAGMA query_only = ON");
}

Transaction::~Transaction() {
    if (!m_done) {
        try {
            m_connection.Execute("ROLLBACK");
        } catch (...) {
            // A failed rollback leaves nothing to undo: the session is gone or the server already
            // aborted the transaction.
        }
    }
    EndQueryOnly();
}

void Transaction::Commit() {
    m_connection.Execute("COMMIT");
    m_done = true;
    EndQueryOnly();
}

void Transaction::EndQueryOnly() noexcept {
    if (!m_queryOnly)
        return;
    m_queryOnly = false;
    try {
        m_connection.ExecuteScript("PRAGMA query_only = OFF");
    } catch (...) {
        // A session that cannot take a pragma is broken for writes anyway.
    }
}

} // namespace sqldb
