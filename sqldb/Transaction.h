#pragma once

#include "sqldb/Connection.h"

namespace sqldb {

// Begins in the constructor (SQLite: BEGIN IMMEDIATE, so writers queue at the start instead of
// failing at their first write); rolls back in the destructor unless Commit() ran.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace sqldb
