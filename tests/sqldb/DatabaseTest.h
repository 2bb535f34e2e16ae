#pragma once

#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>

namespace testdb {

// A test run once per database kind, each run on a fresh database with an open connection;
// the PostgreSQL run is skipped without PED_TEST_PG_URL. A derived SetUp calls this one first
// and returns when the test was skipped.
class DatabaseTest : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        if (!TestDatabase::Available(GetParam()))
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        m_db = std::make_unique<TestDatabase>(GetParam());
        m_connection = m_db->Open();
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<sqldb::Connection> m_connection;
};

} // namespace testdb

// Runs the suite's tests on SQLite and on PostgreSQL, named after the kind.
#define TESTDB_ON_BOTH_KINDS(Suite)                                                                          \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite,                                                                \
                             ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),                \
                             [](const auto& info) { return testdb::KindName(info.param); })
