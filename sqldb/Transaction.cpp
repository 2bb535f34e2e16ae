#include "sqldb/Transaction.h"

namespace sqldb {

Transaction::Transaction(Connection& connection, Mode mode) : m_connection(connection) {
    const bool sqlite = m_connection.GetBackend() == Backend::Sqlite;
    if (mode == Mode::Read)
        m_connection.Execute(sqlite ? "BEGIN" : "BEGIN READ ONLY");
    else
        m_connection.Execute(sqlite ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
    if (m_done)
        return;
    try {
        m_connection.Execute("ROLLBACK");
    } catch (...) {
        // A failed rollback leaves nothing to undo: the session is gone or the server already
        // aborted the transaction.
    }
}

void Transaction::Commit() {
    m_connection.Execute("COMMIT");
    m_done = true;
}

} // namespace sqldb
