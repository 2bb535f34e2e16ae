#include "data/DataSet.h"
#include "data/DataSetError.h"
#include "data/PacketCodec.h"
#include "data/Utf8.h"

#include <optional>

namespace data {

namespace {

bool TypesFit(FieldType declared, FieldType sent) {
    const auto isDate = [](FieldType type) { return type == FieldType::Date || type == FieldType::DateTime; };
    return declared == sent || (isDate(declared) && isDate(sent)) ||
           (declared == FieldType::Float && sent == FieldType::Integer);
}

// Converts one packet value into the declared field's type, or nullopt when it does not fit.
std::optional<Value> FitValue(const Field& field, Value& value) {
    if (IsNullValue(value)) {
        return Value{};
    }
    switch (field.DataType()) {
    case FieldType::String:
        if (auto* text = std::get_if<std::string>(&value)) {
            const auto size = static_cast<std::size_t>(field.Size());
            if (field.Size() > 0 && text->size() > size) {
                return Value(utf8::Left(*text, size));
            }
            return Value(std::move(*text));
        }
        break;
    case FieldType::Float:
    case FieldType::Date:
    case FieldType::DateTime:
        if (const auto* number = std::get_if<double>(&value)) {
            return Value(*number);
        }
        if (const auto* integer = std::get_if<std::int64_t>(&value);
            integer && field.DataType() == FieldType::Float) {
            return Value(static_cast<double>(*integer));
        }
        break;
    case FieldType::Integer:
        if (const auto* integer = std::get_if<std::int64_t>(&value)) {
            return Value(*integer);
        }
        break;
    case FieldType::Boolean:
        if (const auto* flag = std::get_if<bool>(&value)) {
            return Value(*flag);
        }
        break;
    }
    return std::nullopt;
}

std::string Where(const DataSet& dataSet, const Field& field) {
    return "field '" + field.FieldName() + "' of dataset '" + dataSet.Name() + "'";
}

} // namespace

std::vector<Value> DataSet::ConvertPacket(Packet& packet) const {
    const std::size_t fieldCount = m_fields.size();
    std::vector<int> columnOf(fieldCount, -1);
    for (const auto& field : m_fields) {
        if (field->Calculated()) {
            continue;
        }
        for (std::size_t column = 0; column < packet.Fields.size(); ++column) {
            if (packet.Fields[column].Name == field->FieldName()) {
                columnOf[field->Index()] = static_cast<int>(column);
            }
        }
        const int column = columnOf[field->Index()];
        if (column < 0) {
            throw DataSetError(Where(*this, *field) + " is missing from the packet");
        }
        const FieldType sent = packet.Fields[static_cast<std::size_t>(column)].Type;
        if (!TypesFit(field->DataType(), sent)) {
            throw DataSetError(Where(*this, *field) + " is " + PacketTypeName(field->DataType()) +
                               " but the packet sends " + PacketTypeName(sent));
        }
    }
    std::vector<Value> values(packet.Rows.size() * fieldCount);
    for (std::size_t row = 0; row < packet.Rows.size(); ++row) {
        auto& cells = packet.Rows[row];
        if (cells.size() != packet.Fields.size()) {
            throw DataSetError("row " + std::to_string(row + 1) + " of the packet for dataset '" + m_name +
                               "' has " + std::to_string(cells.size()) + " values, expected " +
                               std::to_string(packet.Fields.size()));
        }
        for (std::size_t index = 0; index < fieldCount; ++index) {
            if (columnOf[index] < 0) {
                continue;
            }
            auto fitted = FitValue(*m_fields[index], cells[static_cast<std::size_t>(columnOf[index])]);
            if (!fitted) {
                throw DataSetError(Where(*this, *m_fields[index]) + ", row " + std::to_string(row + 1) +
                                   ": the value is not " + PacketTypeName(m_fields[index]->DataType()));
            }
            values[row * fieldCount + index] = std::move(*fitted);
        }
    }
    return values;
}

void DataSet::LoadFromPacket(const Packet& packet) {
    LoadFromPacket(Packet(packet));
}

void DataSet::LoadFromPacket(Packet&& packet) {
    ReplaceRows(ConvertPacket(packet));
}

void DataSet::ReplaceRows(std::vector<Value> values) {
    if (BeforeOpen) {
        BeforeOpen(*this);
    }
    m_editBuffer.clear();
    m_paintedRow = -1;
    m_values = std::move(values);
    m_cursor = -1;
    if (m_state != DataSetState::Browse) {
        m_state = DataSetState::Inactive;
        SetState(DataSetState::Browse);
    }
    FinishOpen();
}

Packet DataSet::ToPacket() const {
    Packet packet;
    std::vector<std::size_t> columns;
    for (const auto& field : m_fields) {
        if (!field->Calculated()) {
            packet.Fields.push_back({field->FieldName(), field->DataType(), field->Size()});
            columns.push_back(static_cast<std::size_t>(field->Index()));
        }
    }
    const std::size_t rows = StoredRowCount();
    packet.Rows.reserve(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        const Value* data = RowData(row);
        auto& cells = packet.Rows.emplace_back();
        cells.reserve(columns.size());
        for (std::size_t column : columns) {
            cells.push_back(data[column]);
        }
    }
    return packet;
}

} // namespace data
