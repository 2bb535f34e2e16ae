#pragma once

#include "sqldb/Connection.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace testkit {

enum class TestBackend { Sqlite, Postgres };

// An empty database of its own for one fixture: a SQLite file in the given folder, or a fresh
// schema on the PostgreSQL server of PED_TEST_PG_URL, dropped with everything in it on destruction.
class TestDatabase {
public:
    TestDatabase(TestBackend backend, const std::filesystem::path& folder);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    TestBackend Backend() const { return m_backend; }
    const std::string& Url() const { return m_url; }
    std::unique_ptr<sqldb::Connection> Connect() const { return sqldb::Connection::Open(m_url); }

    // PED_TEST_PG_URL, or nothing when PostgreSQL tests are not wanted.
    static std::optional<std::string> PostgresUrl();
    static const char* Name(TestBackend backend) {
        return backend == TestBackend::Sqlite ? "Sqlite" : "Postgres";
    }

private:
    TestBackend m_backend;
    std::string m_url;
    std::string m_schema;
};

} // namespace testkit
