#pragma once

#include "sqldb/Connection.h"

namespace sqldb {

// Begins in the constructor (SQLite: BEGIN IMMEDIATE, so writers queue at the start instead of
// failing at their first write); rolls back in the destructor unless Commit() ran. A read
// transaction takes no write lock and refuses every write (SQLite: a deferred BEGIN with the
// connection refusing writes, so several statements run in one go instead of one transaction
// each; PostgreSQL: each statement a READ ONLY transaction of its own, in one round trip).
class Transaction {
public:
    enum class Mode { Write, Read };

    explicit Transaction(Connection& connection, Mode mode = Mode::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    void EndRead() noexcept;

    Connection& m_connection;
    bool m_done = false;
    bool m_read;
    bool m_open = true; // a BEGIN was sent or is held, so a COMMIT or ROLLBACK ends it
};

} // namespace sqldb
