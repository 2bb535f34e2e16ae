#include "testkit/TestDatabase.h"

#include <atomic>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace testkit {

namespace {

std::string UniqueSchemaName() {
    static std::atomic<int> counter = 0;
    std::random_device random;
    return "pedtest_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + "_" +
           std::to_string(random() % 1000000);
}

} // namespace

std::optional<std::string> TestDatabase::PostgresUrl() {
    const char* url = std::getenv("PED_TEST_PG_URL");
    if (url == nullptr || *url == '\0') {
        return std::nullopt;
    }
    return std::string(url);
}

TestDatabase::TestDatabase(TestBackend backend, const std::filesystem::path& folder) : m_backend(backend) {
    if (backend == TestBackend::Sqlite) {
        m_url = "sqlite:" + (folder / "ped.db").string();
        return;
    }
    const std::optional<std::string> base = PostgresUrl();
    if (!base) {
        throw std::runtime_error("PED_TEST_PG_URL is not set");
    }
    m_schema = UniqueSchemaName();
    sqldb::Connection::Open(*base)->Execute("CREATE SCHEMA " + m_schema);
    // libpq reads "options" from the URL: every session of this database starts in the schema.
    m_url =
        *base + (base->find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + m_schema;
}

TestDatabase::~TestDatabase() {
    if (m_schema.empty()) {
        return;
    }
    try {
        sqldb::Connection::Open(*PostgresUrl())->Execute("DROP SCHEMA IF EXISTS " + m_schema + " CASCADE");
    } catch (const std::exception&) {
        // A schema left behind in a throwaway cluster is harmless; a throwing destructor is not.
    }
}

} // namespace testkit
