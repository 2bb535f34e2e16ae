#pragma once

#include "ui/Column.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

class DBGrid;

// The columns of a data grid, in display order; they can be added, inserted and removed at run
// time.
class DBGridColumns {
public:
    explicit DBGridColumns(DBGrid& grid) : m_grid(grid) {}

    int Count() const { return static_cast<int>(m_columns.size()); }
    Column& Item(int index) const;
    Column& operator[](int index) const { return Item(index); }
    Column& Add();
    // Inserts before the column at `index` (Count() appends).
    Column& Insert(int index);
    void Remove(int index);
    void Clear();
    int IndexOf(const Column& column) const;
    // The index of the first column showing the field (case-insensitive), or -1.
    int IndexOfField(const std::string& fieldName) const;

    // Told by a column that it changed.
    void Changed();

private:
    DBGrid& m_grid;
    std::vector<std::unique_ptr<Column>> m_columns;
};

} // namespace ui
