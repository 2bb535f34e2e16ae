#include "ui/DBGridColumns.h"

#include "data/Utf8.h"
#include "ui/DBGrid.h"

#include <stdexcept>

namespace ui {

Column& DBGridColumns::Item(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range(m_grid.Name() + ": no column " + std::to_string(index));
    return *m_columns[static_cast<std::size_t>(index)];
}

Column& DBGridColumns::Add() {
    return Insert(Count());
}

Column& DBGridColumns::Insert(int index) {
    if (index < 0 || index > Count())
        throw std::out_of_range(m_grid.Name() + ": cannot insert a column at " + std::to_string(index));
    auto column = std::make_unique<Column>(m_grid);
    Column& result = *column;
    m_columns.insert(m_columns.begin() + index, std::move(column));
    Changed();
    return result;
}

void DBGridColumns::Remove(int index) {
    Item(index);
    m_columns.erase(m_columns.begin() + index);
    Changed();
}

void DBGridColumns::Clear() {
    if (m_columns.empty())
        return;
    m_columns.clear();
    Changed();
}

int DBGridColumns::IndexOf(const Column& column) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_columns[static_cast<std::size_t>(i)].get() == &column)
            return i;
    }
    return -1;
}

int DBGridColumns::IndexOfField(const std::string& fieldName) const {
    std::string wanted = data::utf8::ToUpper(fieldName);
    for (int i = 0; i < Count(); ++i) {
        if (data::utf8::ToUpper(m_columns[static_cast<std::size_t>(i)]->FieldName()) == wanted)
            return i;
    }
    return -1;
}

void DBGridColumns::Changed() {
    m_grid.ColumnsChanged();
}

} // namespace ui
