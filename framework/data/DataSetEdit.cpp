#include "data/DataSet.h"
#include "data/DataSetError.h"

namespace data {

void DataSet::Edit() {
    CheckActive();
    if (m_state == DataSetState::Edit) {
        return;
    }
    if (IsEmpty()) {
        throw DataSetError("dataset '" + m_name + "' has no row to edit");
    }
    m_editBuffer = m_rows.GetRow(StorageRow(m_cursor));
    SetState(DataSetState::Edit);
}

void DataSet::Post() {
    if (m_state != DataSetState::Edit) {
        return;
    }
    const std::size_t storageRow = StorageRow(m_cursor);
    const Field* key = m_indexFieldNames.empty() ? nullptr : FindField(m_indexFieldNames);
    const auto keyColumn = key ? static_cast<std::size_t>(key->Index()) : 0;
    const bool keyChanged = key && m_rows.Get(storageRow, keyColumn) != m_editBuffer[keyColumn];
    for (std::size_t column = 0; column < m_editBuffer.size(); ++column)
        m_rows.Set(storageRow, column, m_editBuffer[column]);
    m_editBuffer.clear();
    SetState(DataSetState::Browse);
    CalculateRow(storageRow);
    if (keyChanged) {
        ApplyOrder();
    }
    Notify(DataSetChange::RecordChanged);
    if (AfterPost) {
        AfterPost(*this);
    }
}

void DataSet::Cancel() {
    if (m_state != DataSetState::Edit) {
        return;
    }
    m_editBuffer.clear();
    SetState(DataSetState::Browse);
    Notify(DataSetChange::RecordChanged);
}

void DataSet::PostIfEditing() {
    if (m_state == DataSetState::Edit) {
        Post();
    }
}

Value DataSet::ReadValue(int fieldIndex) const {
    const auto index = static_cast<std::size_t>(fieldIndex);
    if (m_state == DataSetState::CalcFields) {
        return (*m_calcValues)[index];
    }
    if (m_paintedRow >= 0 && m_paintedRow != m_cursor && m_paintedRow < RecordCount()) {
        return m_rows.Get(StorageRow(m_paintedRow), index);
    }
    if (m_state == DataSetState::Edit) {
        return m_editBuffer[index];
    }
    if (m_cursor < 0) {
        return std::monostate{};
    }
    return m_rows.Get(StorageRow(m_cursor), index);
}

Value& DataSet::WritableValue(const Field& field) {
    const auto index = static_cast<std::size_t>(field.Index());
    if (m_state == DataSetState::CalcFields) {
        if (!field.Calculated()) {
            throw DataSetError("field '" + field.FieldName() +
                               "' is not calculated and cannot be set while '" + m_name +
                               "' calculates its fields");
        }
        return (*m_calcValues)[index];
    }
    if (m_state != DataSetState::Edit) {
        throw DataSetError("dataset '" + m_name + "' is not in edit mode; cannot set field '" +
                           field.FieldName() + "'");
    }
    return m_editBuffer[index];
}

void DataSet::CalculateRow(std::size_t storageRow) {
    if (!OnCalcFields) {
        return;
    }
    Row values = m_rows.GetRow(storageRow);
    for (const auto& field : m_fields) {
        if (field->Calculated()) {
            values[static_cast<std::size_t>(field->Index())] = std::monostate{};
        }
    }
    // The calculation state is internal: controls are not told about it. What the handler set
    // is kept even when it fails half way.
    const DataSetState previous = m_state;
    Row* previousValues = m_calcValues;
    m_state = DataSetState::CalcFields;
    m_calcValues = &values;
    const auto keep = [&] {
        m_state = previous;
        m_calcValues = previousValues;
        for (const auto& field : m_fields) {
            if (field->Calculated()) {
                const auto column = static_cast<std::size_t>(field->Index());
                m_rows.Set(storageRow, column, values[column]);
            }
        }
    };
    try {
        OnCalcFields(*this);
    } catch (...) {
        keep();
        throw;
    }
    keep();
}

void DataSet::CalculateAll() {
    if (!OnCalcFields) {
        return;
    }
    const std::size_t rows = StoredRowCount();
    for (std::size_t row = 0; row < rows; ++row) {
        CalculateRow(row);
    }
}

} // namespace data
