#include "sqldb/NamedParameters.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* sql;
    const char* expected;
    std::vector<std::string> names;
};

TEST(NamedParameters, RewritesNamesOutsideQuotesCommentsAndCasts) {
    const std::vector<Case> cases = {
        {"SELECT :A, :B, :A", "SELECT $1, $2, $1", {"A", "B"}},
        {"SELECT ':A', \":B\", :C", "SELECT ':A', \":B\", $1", {"C"}},
        {"SELECT 'it''s :X', :Y", "SELECT 'it''s :X', $1", {"Y"}},
        {"SELECT x::text, :N_1", "SELECT x::text, $1", {"N_1"}},
        {"SELECT 1 -- :NOT\n, :YES", "SELECT 1 -- :NOT\n, $1", {"YES"}},
        {"SELECT ':' || :P", "SELECT ':' || $1", {"P"}},
    };
    for (const auto& c : cases) {
        const auto result = sqldb::ToPositional(c.sql);
        EXPECT_EQ(result.sql, c.expected) << c.sql;
        EXPECT_EQ(result.names, c.names) << c.sql;
    }
}

} // namespace
