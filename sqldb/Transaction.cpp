#include "sqldb/Transaction.h"

namespace sqldb {

Transaction::Transaction(Connection& connection) : m_connection(connection) {
    m_connection.Execute(m_connection.GetBackend() == Backend::Sqlite ? "BEGIN IMMEDIATE" : "BEGIN");
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
