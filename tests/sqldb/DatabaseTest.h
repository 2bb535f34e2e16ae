#pragma once

#include "testkit/BackendSuite.h"
#include "testkit/TempDir.h"
#include "testkit/TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>

namespace testdb {

// A test run once per database kind, each run on a fresh database with an open connection;
// the PostgreSQL run is skipped without PED_TEST_PG_URL. A derived SetUp calls this one first
// and returns when the test was skipped.
class DatabaseTest : public ::testing::TestWithParam<testkit::TestBackend> {
protected:
    void SetUp() override {
        if (GetParam() == testkit::TestBackend::Postgres && !testkit::TestDatabase::PostgresUrl())
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        m_db = std::make_unique<testkit::TestDatabase>(GetParam(), m_folder.Path());
        m_connection = m_db->Connect();
    }

    testkit::TempDir m_folder;
    std::unique_ptr<testkit::TestDatabase> m_db;
    std::unique_ptr<sqldb::Connection> m_connection;
};

} // namespace testdb

