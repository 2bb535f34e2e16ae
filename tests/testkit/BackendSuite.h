#pragma once
// Runs a suite parameterised by the database kind on SQLite and on PostgreSQL, each instance
// named after its kind ("Backends/Suite.Case/Sqlite").
#include "testkit/TestDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace testkit {

inline std::string BackendName(const testing::TestParamInfo<TestBackend>& instance) {
    return TestDatabase::Name(instance.param);
}

} // namespace testkit

#define TESTKIT_ON_BOTH_BACKENDS(Suite)                                                                      \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite,                                                                \
                             ::testing::Values(::testkit::TestBackend::Sqlite, ::testkit::TestBackend::Postgres), \
                             ::testkit::BackendName)
