#include "data/CellStore.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace data {
namespace {

// Every kind of value comes back as it went in, at the edges of the inline texts too.
TEST(CellStore, ValuesComeBackAsTheyWentIn) {
    const std::vector<Value> values = {
        std::monostate{},
        std::string(),
        std::string(14, 'a'),
        std::string(15, 'b'),
        std::string("Açougue Álvaro Gonçalves, Três Corações"),
        std::string(200'000, 'c'),
        std::string("with\0nul", 8),
        0.0,
        -1.5e300,
        std::numeric_limits<double>::denorm_min(),
        std::int64_t{0},
        std::numeric_limits<std::int64_t>::min(),
        std::numeric_limits<std::int64_t>::max(),
        true,
        false,
    };
    CellStore store;
    store.Reset(values.size());
    for (int row = 0; row < 3; ++row)
        store.AppendRow(values);
    ASSERT_EQ(store.Rows(), 3U);
    for (std::size_t row = 0; row < 3; ++row) {
        EXPECT_EQ(store.GetRow(row), values);
        for (std::size_t column = 0; column < values.size(); ++column) {
            EXPECT_EQ(store.Get(row, column), values[column]) << column;
            EXPECT_EQ(store.IsNull(row, column), IsNullValue(values[column])) << column;
            std::string_view text;
            const auto* expected = std::get_if<std::string>(&values[column]);
            ASSERT_EQ(store.Text(row, column, text), expected != nullptr) << column;
            if (expected) {
                EXPECT_EQ(text, *expected) << column;
            }
        }
    }
}

// Replacing a cell changes that cell only, whatever the kinds before and after; texts read
// earlier stay valid while many more are added (their bytes never move).
TEST(CellStore, SetReplacesOneCellAndKeptTextsNeverMove) {
    CellStore store;
    store.Reset(2);
    store.AppendRow({std::string(40, 'x'), std::int64_t{7}});
    std::string_view first;
    ASSERT_TRUE(store.Text(0, 0, first));
    const std::vector<Value> replacements = {std::string("curto"), 2.5, std::string(70, 'y'),
                                             std::monostate{}, true};
    for (const Value& value : replacements) {
        store.Set(0, 1, value);
        EXPECT_EQ(store.Get(0, 1), value);
        EXPECT_EQ(store.Get(0, 0), Value(std::string(40, 'x')));
    }
    for (int i = 0; i < 5000; ++i)
        store.AppendRow({std::string(100, static_cast<char>('a' + i % 26)), std::int64_t{i}});
    EXPECT_EQ(first, std::string(40, 'x'));
    EXPECT_EQ(store.Get(4999 + 1, 0), Value(std::string(100, static_cast<char>('a' + 4999 % 26))));
    store.Reset(3);
    EXPECT_EQ(store.Rows(), 0U);
    EXPECT_EQ(store.Columns(), 3U);
}

} // namespace
} // namespace data
