#pragma once

#include "sqldb/Connection.h"

#include <memory>
#include <string>

namespace testdb {

enum class Kind { Sqlite, Postgres };

// A throwaway database: an SQLite file in a fresh temporary folder, or a fresh schema in the
// PostgreSQL database named by PED_TEST_PG_URL. Removed on destruction.
class TestDatabase {
public:
    explicit TestDatabase(Kind kind);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    static bool Available(Kind kind);
    const std::string& Url() const { return m_url; }
    std::unique_ptr<sqldb::Connection> Open() const { return sqldb::Connection::Open(m_url); }

private:
    Kind m_kind;
    std::string m_url;
    std::string m_location; // folder or schema to remove
};

std::string KindName(Kind kind);

} // namespace testdb
