#include "data/DataSet.h"
#include "data/DataSetError.h"
#include "data/Utf8.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <optional>

namespace data {

namespace {

// A number for ordering and comparing numeric, date and boolean values.
double NumberOf(const Value& value) {
    if (const auto* number = std::get_if<double>(&value)) {
        return *number;
    }
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return static_cast<double>(*integer);
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? 1.0 : 0.0;
    }
    return 0.0;
}

std::string TextOf(const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*integer);
    }
    if (std::holds_alternative<double>(value)) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(value));
        return std::string(buffer, result.ptr);
    }
    return {};
}

} // namespace

void DataSet::SetIndexFieldNames(std::string names) {
    if (names == m_indexFieldNames) {
        return;
    }
    if (!names.empty()) {
        FieldByName(names);
    }
    m_indexFieldNames = std::move(names);
    if (Active()) {
        PostIfEditing();
        ApplyOrder();
        Notify(DataSetChange::DataChanged);
    }
}

void DataSet::ApplyOrder() {
    const std::optional<std::size_t> current =
        m_cursor >= 0 ? std::optional<std::size_t>(StorageRow(m_cursor)) : std::nullopt;
    m_order.resize(StoredRowCount());
    std::iota(m_order.begin(), m_order.end(), std::size_t{0});
    if (!m_indexFieldNames.empty()) {
        SortOrder(FieldByName(m_indexFieldNames));
    }
    if (current) {
        m_cursor = static_cast<int>(std::find(m_order.begin(), m_order.end(), *current) - m_order.begin());
    }
}

// Stable ascending order by one field, nulls first; texts compare by their accent- and
// case-insensitive fold. Keys are computed once per row, not once per comparison.
void DataSet::SortOrder(const Field& key) {
    const std::size_t rows = m_order.size();
    const auto column = static_cast<std::size_t>(key.Index());
    std::vector<char> isNull(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        isNull[row] = m_rows.IsNull(row, column);
    }
    if (key.DataType() == FieldType::String) {
        std::vector<std::string> keys(rows);
        std::string_view text;
        for (std::size_t row = 0; row < rows; ++row) {
            keys[row] = m_rows.Text(row, column, text) ? utf8::Fold(text)
                                                       : utf8::Fold(TextOf(m_rows.Get(row, column)));
        }
        std::stable_sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) {
            return isNull[a] != isNull[b] ? isNull[a] > isNull[b] : keys[a] < keys[b];
        });
        return;
    }
    std::vector<double> keys(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        keys[row] = NumberOf(m_rows.Get(row, column));
    }
    std::stable_sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) {
        return isNull[a] != isNull[b] ? isNull[a] > isNull[b] : keys[a] < keys[b];
    });
}

bool DataSet::Locate(std::string_view fieldName, const Value& value, bool caseInsensitive) {
    CheckActive();
    const Field& field = FieldByName(fieldName);
    const auto column = static_cast<std::size_t>(field.Index());
    PostIfEditing();
    std::optional<int> hit;
    if (field.DataType() == FieldType::String) {
        const bool wantEmpty = IsNullValue(value) || TextOf(value).empty();
        const std::string wanted = caseInsensitive ? utf8::ToLower(TextOf(value)) : TextOf(value);
        for (int i = 0; i < RecordCount() && !hit; ++i) {
            const Value stored = m_rows.Get(StorageRow(i), column);
            const std::string* text = std::get_if<std::string>(&stored);
            const bool match = !text ? wantEmpty && IsNullValue(stored)
                                     : (caseInsensitive ? utf8::ToLower(*text) == wanted : *text == wanted);
            hit = match ? std::optional<int>(i) : std::nullopt;
        }
    } else {
        std::optional<Value> wanted;
        try {
            wanted = field.Convert(value);
        } catch (const DataSetError&) {
            return false;
        }
        for (int i = 0; i < RecordCount() && !hit; ++i) {
            const Value stored = m_rows.Get(StorageRow(i), column);
            const bool match = IsNullValue(stored)
                                   ? IsNullValue(*wanted)
                                   : !IsNullValue(*wanted) && NumberOf(stored) == NumberOf(*wanted);
            hit = match ? std::optional<int>(i) : std::nullopt;
        }
    }
    if (!hit) {
        return false;
    }
    MoveTo(*hit, false, false);
    return true;
}

} // namespace data
