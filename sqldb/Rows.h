#pragma once

#include "sqldb/Value.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sqldb {

using Row = std::vector<Value>;

// The result of a query: column names and the rows, each a vector of values in column order.
class Rows {
public:
    Rows() = default;
    Rows(std::vector<std::string> columns, std::vector<Row> data);

    const std::vector<std::string>& Columns() const { return m_columns; }
    const std::vector<Row>& Data() const { return m_data; }
    // The rows, moved out for a caller that keeps them; the result is left without rows.
    std::vector<Row> TakeData() { return std::move(m_data); }
    std::size_t Size() const { return m_data.size(); }
    bool IsEmpty() const { return m_data.empty(); }

    // Index of a column by name (case-insensitive); throws SqlError when there is none.
    std::size_t ColumnIndex(std::string_view name) const;
    const Value& At(std::size_t row, std::string_view column) const;
    std::string Text(std::size_t row, std::string_view column) const { return AsText(At(row, column)); }

    std::vector<Row>::const_iterator begin() const { return m_data.begin(); }
    std::vector<Row>::const_iterator end() const { return m_data.end(); }

private:
    std::vector<std::string> m_columns;
    std::vector<Row> m_data;
};

} // namespace sqldb
