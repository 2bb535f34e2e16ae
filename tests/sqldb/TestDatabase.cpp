#include "TestDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <random>

namespace testdb {
namespace {

std::string Unique(const char* prefix) {
    static std::random_device device;
    return prefix + std::to_string(std::uniform_int_distribution<unsigned long>(1, 1UL << 40)(device));
}

const char* PostgresUrl() {
    return std::getenv("PED_TEST_PG_URL");
}

} // namespace

std::string KindName(Kind kind) {
    return kind == Kind::Sqlite ? "Sqlite" : "Postgres";
}

bool TestDatabase::Available(Kind kind) {
    return kind == Kind::Sqlite || (PostgresUrl() && *PostgresUrl());
}

TestDatabase::TestDatabase(Kind kind) : m_kind(kind) {
    if (kind == Kind::Sqlite) {
        const auto folder = std::filesystem::temp_directory_path() / Unique("pedtest-");
        std::filesystem::create_directories(folder);
        m_location = folder.string();
        m_url = "sqlite:" + (folder / "test.db").string();
        return;
    }
    const std::string base = PostgresUrl();
    m_location = Unique("t");
    sqldb::Connection::Open(base)->ExecuteScript("CREATE SCHEMA " + m_location);
    m_url =
        base + (base.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + m_location;
}

TestDatabase::~TestDatabase() {
    try {
        if (m_kind == Kind::Sqlite)
            std::filesystem::remove_all(m_location);
        else
            sqldb::Connection::Open(PostgresUrl())->ExecuteScript("DROP SCHEMA " + m_location + " CASCADE");
    } catch (...) {
        // Leftovers of a test run are harmless; the cluster and temp folder are throwaway.
    }
}

} // namespace testdb
