#pragma once

#include "data/Value.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace data {

// A dataset's rows, kept compactly: 16 bytes a cell, texts of up to 14 bytes inside the cell,
// longer ones in blocks of the store's own that never move (a cell points at its text). Values
// go in and come out as Value. A text that is replaced leaves its old bytes until the store is
// emptied, which suits data that is loaded whole and edited little.
class CellStore {
public:
    // Empties the store for rows of `columns` cells.
    void Reset(std::size_t columns);
    // Room for `rows` rows without moving the cells (only what is written becomes resident).
    void Reserve(std::size_t rows);

    std::size_t Columns() const { return m_columns; }
    std::size_t Rows() const { return m_columns == 0 ? 0 : m_cells.size() / m_columns; }

    void AppendRow(const std::vector<Value>& row);
    Value Get(std::size_t row, std::size_t column) const;
    std::vector<Value> GetRow(std::size_t row) const;
    void Set(std::size_t row, std::size_t column, const Value& value);

    bool IsNull(std::size_t row, std::size_t column) const;
    // Whether the cell holds a text, and the text then (valid until the store is emptied).
    bool Text(std::size_t row, std::size_t column, std::string_view& text) const;

private:
    enum class Kind : std::uint8_t { Null, ShortText, LongText, Float, Integer, Boolean };

    struct Cell {
        char data[14];
        Kind kind;
        std::uint8_t size;
    };
    static_assert(sizeof(Cell) == 16);

    Cell Encode(const Value& value);
    Value Decode(const Cell& cell) const;
    std::string_view TextOf(const Cell& cell) const;
    // Copies the text into the blocks and returns where it now lives.
    const char* Keep(std::string_view text);
    const Cell& At(std::size_t row, std::size_t column) const { return m_cells[row * m_columns + column]; }

    std::size_t m_columns = 0;
    std::vector<Cell> m_cells;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_blockFree = 0;
    char* m_blockNext = nullptr;
};

} // namespace data
