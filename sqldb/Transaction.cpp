#include "sqldb/Transaction.h"

namespace sqldb {

Transaction::Transaction(Connection& connection, Mode mode)
    : m_connection(connection), m_read(mode == Mode::Read) {
    const bool sqlite = m_connection.GetBackend() == Backend::Sqlite;
    if (m_read)
        m_connection.Execute(sqlite ? "BEGIN" : "BEGIN READ ONLY");
    else
        m_connection.Execute(sqlite ? "BEGIN IMMEDIATE" : "BEGIN");
    // SQLite has no read-only transactions: the session refuses writes for as long as this lasts.
    m_connection.RefuseWrites(m_read);
}

Transaction::~Transaction() {
    EndRead();
    if (!m_done) {
        try {
            m_connection.Execute("ROLLBACK");
        } catch (...) {
            // A failed rollback leaves nothing to undo: the session is gone or the server already
            // aborted the transaction.
        }
    }
}

void Transaction::Commit() {
    EndRead();
    m_connection.Execute("COMMIT");
    m_done = true;
}

void Transaction::EndRead() noexcept {
    if (m_read)
        m_connection.RefuseWrites(false);
    m_read = false;
}

} // namespace sqldb
