#include "sqldb/Rows.h"

#include "sqldb/SqlError.h"

#include <strings.h>

namespace sqldb {

Rows::Rows(std::vector<std::string> columns, std::vector<Row> data)
    : m_columns(std::move(columns)), m_data(std::move(data)) {}

std::size_t Rows::ColumnIndex(std::string_view name) const {
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].size() == name.size() &&
            strncasecmp(m_columns[i].data(), name.data(), name.size()) == 0)
            return i;
    }
    throw SqlError("no column named " + std::string(name) + " in the result");
}

const Value& Rows::At(std::size_t row, std::string_view column) const {
    if (row >= m_data.size())
        throw SqlError("row " + std::to_string(row) + " is beyond the result");
    return m_data[row][ColumnIndex(column)];
}

} // namespace sqldb
