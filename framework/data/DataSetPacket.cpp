#include "data/DataSet.h"
#include "data/DataSetError.h"
#include "data/PacketCodec.h"
#include "data/PacketReader.h"
#include "data/Utf8.h"

namespace data {

namespace {

bool TypesFit(FieldType declared, FieldType sent) {
    const auto isDate = [](FieldType type) { return type == FieldType::Date || type == FieldType::DateTime; };
    return declared == sent || (isDate(declared) && isDate(sent)) ||
           (declared == FieldType::Float && sent == FieldType::Integer);
}

// Whether a packet value can be stored in the declared field.
bool Fits(const Field& field, const Value& value) {
    if (IsNullValue(value)) {
        return true;
    }
    switch (field.DataType()) {
    case FieldType::String:
        return std::holds_alternative<std::string>(value);
    case FieldType::Float:
        return std::holds_alternative<double>(value) || std::holds_alternative<std::int64_t>(value);
    case FieldType::Date:
    case FieldType::DateTime:
        return std::holds_alternative<double>(value);
    case FieldType::Integer:
        return std::holds_alternative<std::int64_t>(value);
    case FieldType::Boolean:
        return std::holds_alternative<bool>(value);
    }
    return false;
}

// A packet value that fits the declared field, in the field's type: texts cut to the field's
// size, integers sent for a real field as reals.
Value FitValue(const Field& field, Value& value) {
    if (IsNullValue(value)) {
        return Value{};
    }
    if (auto* text = std::get_if<std::string>(&value)) {
        const auto size = static_cast<std::size_t>(field.Size());
        return field.Size() > 0 && text->size() > size ? Value(utf8::Left(*text, size))
                                                       : Value(std::move(*text));
    }
    if (const auto* integer = std::get_if<std::int64_t>(&value);
        integer && field.DataType() == FieldType::Float) {
        return Value(static_cast<double>(*integer));
    }
    return std::move(value);
}

std::string Where(const DataSet& dataSet, const Field& field) {
    return "field '" + field.FieldName() + "' of dataset '" + dataSet.Name() + "'";
}

} // namespace

std::vector<int> DataSet::PacketColumns(const std::vector<PacketField>& fields) const {
    std::vector<int> columnOf(m_fields.size(), -1);
    for (const auto& field : m_fields) {
        if (field->Calculated()) {
            continue;
        }
        const auto index = static_cast<std::size_t>(field->Index());
        for (std::size_t column = 0; column < fields.size(); ++column) {
            if (fields[column].Name == field->FieldName()) {
                columnOf[index] = static_cast<int>(column);
            }
        }
        const int column = columnOf[index];
        if (column < 0) {
            throw DataSetError(Where(*this, *field) + " is missing from the packet");
        }
        const FieldType sent = fields[static_cast<std::size_t>(column)].Type;
        if (!TypesFit(field->DataType(), sent)) {
            throw DataSetError(Where(*this, *field) + " is " + PacketTypeName(field->DataType()) +
                               " but the packet sends " + PacketTypeName(sent));
        }
    }
    return columnOf;
}

void DataSet::CheckPacketRow(const std::vector<Value>& cells, const std::vector<int>& columnOf,
                             std::size_t packetFields, std::size_t row) const {
    if (cells.size() != packetFields) {
        throw DataSetError("row " + std::to_string(row + 1) + " of the packet for dataset '" + m_name +
                           "' has " + std::to_string(cells.size()) + " values, expected " +
                           std::to_string(packetFields));
    }
    for (std::size_t index = 0; index < columnOf.size(); ++index) {
        if (columnOf[index] >= 0 &&
            !Fits(*m_fields[index], cells[static_cast<std::size_t>(columnOf[index])])) {
            throw DataSetError(Where(*this, *m_fields[index]) + ", row " + std::to_string(row + 1) +
                               ": the value is not " + PacketTypeName(m_fields[index]->DataType()));
        }
    }
}

void DataSet::AppendPacketRow(CellStore& rows, std::vector<Value>& cells, const std::vector<int>& columnOf,
                              std::size_t packetFields, std::size_t row) const {
    CheckPacketRow(cells, columnOf, packetFields, row);
    std::vector<Value> values;
    values.reserve(columnOf.size());
    for (std::size_t index = 0; index < columnOf.size(); ++index) {
        if (columnOf[index] < 0) {
            values.emplace_back();
        } else {
            values.push_back(FitValue(*m_fields[index], cells[static_cast<std::size_t>(columnOf[index])]));
        }
    }
    rows.AppendRow(values);
}

std::vector<Value> DataSet::PacketValues(const Packet& packet, std::string_view fieldName) const {
    const Field& field = FieldByName(fieldName);
    const std::vector<int> columnOf = PacketColumns(packet.Fields);
    const int column = columnOf[static_cast<std::size_t>(field.Index())];
    std::vector<Value> values;
    values.reserve(packet.Rows.size());
    for (std::size_t row = 0; row < packet.Rows.size(); ++row) {
        const std::vector<Value>& cells = packet.Rows[row];
        CheckPacketRow(cells, columnOf, packet.Fields.size(), row);
        Value cell = column < 0 ? Value{} : cells[static_cast<std::size_t>(column)];
        values.push_back(FitValue(field, cell));
    }
    return values;
}

void DataSet::LoadFromPacket(const Packet& packet) {
    LoadFromPacket(Packet(packet));
}

void DataSet::LoadFromPacket(Packet&& packet) {
    const std::vector<int> columnOf = PacketColumns(packet.Fields);
    CellStore rows;
    rows.Reset(m_fields.size());
    rows.Reserve(packet.Rows.size());
    for (std::size_t row = 0; row < packet.Rows.size(); ++row) {
        AppendPacketRow(rows, packet.Rows[row], columnOf, packet.Fields.size(), row);
    }
    ReplaceRows(std::move(rows));
}

void DataSet::LoadFromPacketText(std::string_view json) {
    // Reads the text straight into the dataset's cells; as a local class it may use the
    // dataset's own conversion of a packet row.
    class StorageSink : public PacketSink {
    public:
        StorageSink(const DataSet& dataSet, std::size_t textSize) : m_dataSet(dataSet), m_textSize(textSize) {
            rows.Reset(dataSet.m_fields.size());
        }
        void Fields(const std::vector<PacketField>& fields) override {
            m_columnOf = m_dataSet.PacketColumns(fields);
            m_packetFields = fields.size();
            // Room for as many rows as the text could hold at a few characters a cell: only the
            // part written is ever resident, and the rows are never moved while they are read.
            rows.Reserve(m_textSize / (4 * m_packetFields + 2));
        }
        void Row(std::vector<Value>& cells) override {
            m_dataSet.AppendPacketRow(rows, cells, m_columnOf, m_packetFields, m_rowCount++);
        }

        CellStore rows;

    private:
        const DataSet& m_dataSet;
        const std::size_t m_textSize;
        std::vector<int> m_columnOf;
        std::size_t m_packetFields = 0;
        std::size_t m_rowCount = 0;
    };
    StorageSink sink(*this, json.size());
    PacketReader::Read(json, sink);
    ReplaceRows(std::move(sink.rows));
}

void DataSet::ReplaceRows(CellStore rows) {
    if (BeforeOpen) {
        BeforeOpen(*this);
    }
    m_editBuffer.clear();
    m_paintedRow = -1;
    m_rows = std::move(rows);
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
        auto& cells = packet.Rows.emplace_back();
        cells.reserve(columns.size());
        for (std::size_t column : columns) {
            cells.push_back(m_rows.Get(row, column));
        }
    }
    return packet;
}

} // namespace data
