#include "data/PacketReader.h"

#include "data/PacketCells.h"
#include "data/PacketCollector.h"
#include "data/PacketError.h"

#include <limits>

namespace data {

namespace {

using Json = nlohmann::json;

std::string FieldLabel(std::size_t index, const std::string& name) {
    return "field " + std::to_string(index + 1) + (name.empty() ? "" : " ('" + name + "')");
}

const char* Expected(FieldType type) {
    switch (type) {
    case FieldType::Date:
        return "a date \"YYYY-MM-DD\"";
    case FieldType::DateTime:
        return "a date-time \"YYYY-MM-DDThh:mm:ss\"";
    case FieldType::String:
        return "a string";
    case FieldType::Float:
        return "a number";
    case FieldType::Integer:
        return "an integer";
    case FieldType::Boolean:
        return "true or false";
    }
    return "";
}

std::optional<Value> FromJson(Json& cell, FieldType type) {
    switch (cell.type()) {
    case Json::value_t::null:
        return Value{};
    case Json::value_t::string:
        return CellFromString(cell.get_ref<std::string&>(), type);
    case Json::value_t::number_integer:
        return CellFromInteger(cell.get<std::int64_t>(), type);
    case Json::value_t::number_unsigned:
        return CellFromUnsigned(cell.get<std::uint64_t>(), type);
    case Json::value_t::number_float:
        return CellFromFloat(cell.get<double>(), type);
    case Json::value_t::boolean:
        return CellFromBoolean(cell.get<bool>(), type);
    default:
        return std::nullopt;
    }
}

PacketField CheckedField(const std::optional<Json>& name, const std::optional<Json>& type,
                         const std::optional<Json>& size, std::size_t index) {
    PacketField field;
    if (!name || !name->is_string() || name->get_ref<const std::string&>().empty())
        throw PacketError(FieldLabel(index, {}) + " has no \"name\"");
    field.Name = name->get<std::string>();
    if (!type || !type->is_string())
        throw PacketError(FieldLabel(index, field.Name) + " has no \"type\"");
    const std::string& typeName = type->get_ref<const std::string&>();
    const std::optional<FieldType> known = FieldTypeNamed(typeName);
    if (!known)
        throw PacketError(FieldLabel(index, field.Name) + " has the unknown type \"" + typeName + "\"");
    field.Type = *known;
    if (field.Type == FieldType::String) {
        if (!size || !size->is_number_integer() || size->get<std::int64_t>() <= 0 ||
            size->get<std::int64_t>() > std::numeric_limits<int>::max())
            throw PacketError(FieldLabel(index, field.Name) + " is a string without a positive \"size\"");
        field.Size = size->get<int>();
    }
    return field;
}

} // namespace

Packet PacketReader::Read(std::string_view json) {
    Packet packet;
    PacketCollector collector(packet);
    Read(json, collector);
    return packet;
}

void PacketReader::Read(std::string_view json, PacketSink& sink) {
    PacketReader reader(sink);
    Json::sax_parse(json.begin(), json.end(), &reader);
}

void PacketReader::Deliver(std::vector<Value>& row) {
    m_sink.Row(row);
    ++m_rowsRead;
    row.clear();
}

bool PacketReader::parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
    throw PacketError("the packet is not valid JSON");
}

bool PacketReader::AtTypedCell() {
    if (m_stack.empty() || m_stack.back() != Context::Row || !m_sawFields)
        return false;
    if (m_row.size() >= m_packet.Fields.size())
        WrongRowSize();
    return true;
}

template <class Raw> void PacketReader::PutCell(std::optional<Value> value, const Raw& raw) {
    if (!value)
        WrongCell(m_rowsRead, m_row.size(), Json(raw).dump());
    m_row.push_back(std::move(*value));
}

bool PacketReader::null() {
    if (AtTypedCell())
        m_row.emplace_back();
    else
        Scalar(nullptr);
    return true;
}

bool PacketReader::boolean(bool value) {
    if (AtTypedCell())
        PutCell(CellFromBoolean(value, CellType()), value);
    else
        Scalar(value);
    return true;
}

bool PacketReader::number_integer(number_integer_t value) {
    if (AtTypedCell())
        PutCell(CellFromInteger(value, CellType()), value);
    else
        Scalar(value);
    return true;
}

bool PacketReader::number_unsigned(number_unsigned_t value) {
    if (AtTypedCell())
        PutCell(CellFromUnsigned(value, CellType()), value);
    else
        Scalar(value);
    return true;
}

bool PacketReader::number_float(number_float_t value, const string_t&) {
    if (AtTypedCell())
        PutCell(CellFromFloat(value, CellType()), value);
    else
        Scalar(value);
    return true;
}

bool PacketReader::string(string_t& value) {
    if (AtTypedCell())
        PutCell(CellFromString(value, CellType()), value); // moved only when accepted
    else
        Scalar(std::move(value));
    return true;
}

bool PacketReader::binary(binary_t&) {
    throw PacketError("the packet is not valid JSON");
}

bool PacketReader::key(string_t& name) {
    m_key = std::move(name);
    return true;
}

bool PacketReader::start_object(std::size_t) {
    Enter(true);
    return true;
}

bool PacketReader::start_array(std::size_t) {
    Enter(false);
    return true;
}

bool PacketReader::end_object() {
    Leave();
    return true;
}

bool PacketReader::end_array() {
    Leave();
    return true;
}

void PacketReader::Enter(bool isObject) {
    if (m_stack.empty()) {
        if (!isObject)
            throw PacketError("the packet is not a JSON object");
        m_stack.push_back(Context::Root);
        return;
    }
    Context next = Context::Skipped;
    switch (m_stack.back()) {
    case Context::Root:
        if (m_key == "fields" || m_key == "rows") {
            if (isObject)
                throw PacketError("the packet has no \"" + m_key + "\" array");
            next = m_key == "fields" ? Context::Fields : Context::Rows;
        }
        break;
    case Context::Fields:
        if (!isObject)
            throw PacketError(FieldLabel(m_packet.Fields.size(), {}) + " is not an object");
        m_field = {};
        next = Context::Field;
        break;
    case Context::Field:
        // A name, type or size that is an object or array is as good as missing.
        Scalar(Json::array());
        break;
    case Context::Rows:
        if (isObject)
            WrongRowSize();
        m_row.clear();
        m_rawRow.clear();
        next = Context::Row;
        break;
    case Context::Row:
        if (m_sawFields && m_row.size() >= m_packet.Fields.size())
            WrongRowSize();
        if (m_sawFields)
            WrongCell(m_rowsRead, m_row.size(), isObject ? "an object" : "an array");
        throw PacketError("row " + std::to_string(RowNumber() + 1) + " holds an object or array");
    case Context::Skipped:
        break;
    }
    m_stack.push_back(next);
}

void PacketReader::Leave() {
    const Context left = m_stack.back();
    m_stack.pop_back();
    switch (left) {
    case Context::Field:
        FinishField();
        break;
    case Context::Fields:
        FinishFields();
        break;
    case Context::Row:
        FinishRow();
        break;
    case Context::Rows:
        m_sawRows = true;
        break;
    case Context::Root:
        Finish();
        break;
    case Context::Skipped:
        break;
    }
}

void PacketReader::Scalar(Json value) {
    if (m_stack.empty())
        throw PacketError("the packet is not a JSON object");
    switch (m_stack.back()) {
    case Context::Root:
        if (m_key == "fields" || m_key == "rows")
            throw PacketError("the packet has no \"" + m_key + "\" array");
        break;
    case Context::Fields:
        throw PacketError(FieldLabel(m_packet.Fields.size(), {}) + " is not an object");
    case Context::Field:
        if (m_key == "name")
            m_field.Name = std::move(value);
        else if (m_key == "type")
            m_field.Type = std::move(value);
        else if (m_key == "size")
            m_field.Size = std::move(value);
        break;
    case Context::Rows:
        WrongRowSize();
    case Context::Row:
        m_rawRow.push_back(std::move(value));
        break;
    case Context::Skipped:
        break;
    }
}

void PacketReader::FinishField() {
    m_packet.Fields.push_back(CheckedField(m_field.Name, m_field.Type, m_field.Size, m_packet.Fields.size()));
}

void PacketReader::FinishFields() {
    m_sawFields = true;
    m_sink.Fields(m_packet.Fields);
    // Rows read before the fields are converted now, in their order.
    std::vector<std::vector<Json>> deferred = std::move(m_deferred);
    m_deferred.clear();
    for (std::vector<Json>& raw : deferred) {
        if (raw.size() != m_packet.Fields.size())
            WrongRowSize();
        for (std::size_t i = 0; i < raw.size(); ++i) {
            std::optional<Value> value = FromJson(raw[i], m_packet.Fields[i].Type);
            if (!value)
                WrongCell(m_rowsRead, i, raw[i].dump());
            m_row.push_back(std::move(*value));
        }
        Deliver(m_row);
    }
}

void PacketReader::FinishRow() {
    if (!m_sawFields) {
        m_deferred.push_back(std::move(m_rawRow));
        m_rawRow.clear();
        return;
    }
    if (m_row.size() != m_packet.Fields.size())
        WrongRowSize();
    Deliver(m_row);
}

void PacketReader::Finish() {
    if (!m_sawFields)
        throw PacketError("the packet has no \"fields\" array");
    if (!m_sawRows)
        throw PacketError("the packet has no \"rows\" array");
}

void PacketReader::WrongRowSize() const {
    throw PacketError("row " + std::to_string(RowNumber() + 1) + " does not hold " +
                      std::to_string(m_packet.Fields.size()) + " values");
}

void PacketReader::WrongCell(std::size_t row, std::size_t field, const std::string& got) const {
    if (field >= m_packet.Fields.size())
        WrongRowSize();
    const PacketField& described = m_packet.Fields[field];
    throw PacketError("row " + std::to_string(row + 1) + ", " + FieldLabel(field, described.Name) +
                      ": expected " + Expected(described.Type) + ", got " + got);
}

} // namespace data
