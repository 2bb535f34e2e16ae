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
    const Value* row = RowData(StorageRow(m_cursor));
    m_editBuffer.assign(row, row + m_fields.size());
    SetState(DataSetState::Edit);
}

void DataSet::Post() {
    if (m_state != DataSetState::Edit) {
        return;
    }
    const std::size_t storageRow = StorageRow(m_cursor);
    Value* row = RowData(storageRow);
    const Field* key = m_indexFieldNames.empty() ? nullptr : FindField(m_indexFieldNames);
    const bool keyChanged = key && row[key->Index()] != m_editBuffer[static_cast<std::size_t>(key->Index())];
    std::move(m_editBuffer.begin(), m_editBuffer.end(), row);
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

const Value& DataSet::ReadValue(int fieldIndex) const {
    static const Value null;
    const auto index = static_cast<std::size_t>(fieldIndex);
    if (m_state == DataSetState::CalcFields) {
        return RowData(m_calcRow)[index];
    }
    if (m_paintedRow >= 0 && m_paintedRow != m_cursor && m_paintedRow < RecordCount()) {
        return RowData(StorageRow(m_paintedRow))[index];
    }
    if (m_state == DataSetState::Edit) {
        return m_editBuffer[index];
    }
    if (m_cursor < 0) {
        return null;
    }
    return RowData(StorageRow(m_cursor))[index];
}

Value& DataSet::WritableValue(const Field& field) {
    const auto index = static_cast<std::size_t>(field.Index());
    if (m_state == DataSetState::CalcFields) {
        if (!field.Calculated()) {
            throw DataSetError("field '" + field.FieldName() +
                               "' is not calculated and cannot be set while '" + m_name +
                               "' calculates its fields");
        }
        return RowData(m_calcRow)[index];
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
    Value* row = RowData(storageRow);
    for (const auto& field : m_fields) {
        if (field->Calculated()) {
            row[field->Index()] = std::monostate{};
        }
    }
    // The calculation state is internal: controls are not told about it.
    const DataSetState previous = m_state;
    const std::size_t previousRow = m_calcRow;
    m_state = DataSetState::CalcFields;
    m_calcRow = storageRow;
    try {
        OnCalcFields(*this);
    } catch (...) {
        m_state = previous;
        m_calcRow = previousRow;
        throw;
    }
    m_state = previous;
    m_calcRow = previousRow;
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
