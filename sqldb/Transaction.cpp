#include "sqldb/Transaction.h"

namespace sqldb {

Transaction::Transaction(Connection& connection, Mode mode)
    : m_connection(connection), m_read(mode == Mode::Read) {
    const bool sqlite = m_connection.GetBackend() == Backend::Sqlite;
    // PostgreSQL's reads need no transaction around them: each statement runs read-only on its own.
    m_open = sqlite || !m_read;
    // The BEGIN travels with the transaction's first statement; a transaction in which nothing
    // ran is never sent at all.
    if (m_open)
        m_connection.ExecuteWithNext(sqlite && !m_read ? "BEGIN IMMEDIATE" : "BEGIN");
    m_connection.RefuseWrites(m_read);
}

Transaction::~Transaction() {
    EndRead();
    if (!m_done && m_open && !m_connection.DropUnsent()) {
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
    if (m_open && !m_connection.DropUnsent())
        m_connection.Execute("COMMIT");
    m_done = true;
}

void Transaction::EndRead() noexcept {
    if (m_read)
        m_connection.RefuseWrites(false);
    m_read = false;
}

} // namespace sqldb
