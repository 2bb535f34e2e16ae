#include "data/CellStore.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace data {

namespace {

// Long texts are copied into blocks of this size (a longer text gets a block of its own).
constexpr std::size_t BlockSize = 64 * 1024;

template <class T> void Put(char* data, const T& value) {
    std::memcpy(data, &value, sizeof value);
}

template <class T> T Take(const char* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

} // namespace

void CellStore::Reset(std::size_t columns) {
    m_columns = columns;
    m_cells = {};
    m_blocks.clear();
    m_blockFree = 0;
    m_blockNext = nullptr;
}

void CellStore::Reserve(std::size_t rows) {
    m_cells.reserve(rows * m_columns);
}

void CellStore::AppendRow(const std::vector<Value>& row) {
    for (const Value& value : row)
        m_cells.push_back(Encode(value));
}

Value CellStore::Get(std::size_t row, std::size_t column) const {
    return Decode(At(row, column));
}

std::vector<Value> CellStore::GetRow(std::size_t row) const {
    std::vector<Value> values;
    values.reserve(m_columns);
    for (std::size_t column = 0; column < m_columns; ++column)
        values.push_back(Decode(At(row, column)));
    return values;
}

void CellStore::Set(std::size_t row, std::size_t column, const Value& value) {
    m_cells[row * m_columns + column] = Encode(value);
}

bool CellStore::IsNull(std::size_t row, std::size_t column) const {
    return At(row, column).kind == Kind::Null;
}

bool CellStore::Text(std::size_t row, std::size_t column, std::string_view& text) const {
    const Cell& cell = At(row, column);
    if (cell.kind != Kind::ShortText && cell.kind != Kind::LongText)
        return false;
    text = TextOf(cell);
    return true;
}

CellStore::Cell CellStore::Encode(const Value& value) {
    Cell cell{};
    if (const auto* text = std::get_if<std::string>(&value)) {
        if (text->size() <= sizeof cell.data) {
            cell.kind = Kind::ShortText;
            cell.size = static_cast<std::uint8_t>(text->size());
            std::memcpy(cell.data, text->data(), text->size());
        } else {
            cell.kind = Kind::LongText;
            Put(cell.data, Keep(*text));
            Put(cell.data + sizeof(const char*), static_cast<std::uint32_t>(text->size()));
        }
    } else if (const auto* number = std::get_if<double>(&value)) {
        cell.kind = Kind::Float;
        Put(cell.data, *number);
    } else if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        cell.kind = Kind::Integer;
        Put(cell.data, *integer);
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        cell.kind = Kind::Boolean;
        cell.data[0] = *flag ? 1 : 0;
    } else {
        cell.kind = Kind::Null;
    }
    return cell;
}

Value CellStore::Decode(const Cell& cell) const {
    switch (cell.kind) {
    case Kind::ShortText:
    case Kind::LongText:
        return std::string(TextOf(cell));
    case Kind::Float:
        return Take<double>(cell.data);
    case Kind::Integer:
        return Take<std::int64_t>(cell.data);
    case Kind::Boolean:
        return cell.data[0] != 0;
    case Kind::Null:
        break;
    }
    return std::monostate{};
}

std::string_view CellStore::TextOf(const Cell& cell) const {
    if (cell.kind == Kind::ShortText)
        return {cell.data, cell.size};
    return {Take<const char*>(cell.data), Take<std::uint32_t>(cell.data + sizeof(const char*))};
}

const char* CellStore::Keep(std::string_view text) {
    if (text.size() > m_blockFree) {
        const std::size_t size = std::max(BlockSize, text.size());
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
        m_blockNext = m_blocks.back().get();
        m_blockFree = size;
    }
    char* kept = m_blockNext;
    std::memcpy(kept, text.data(), text.size());
    m_blockNext += text.size();
    m_blockFree -= text.size();
    return kept;
}

} // namespace data
