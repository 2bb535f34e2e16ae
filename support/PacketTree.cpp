#include "PacketTree.h"

#include "data/PacketCells.h"

#include <cstdint>
#include <limits>
#include <simdjson.h>
#include <string>
#include <string_view>

namespace {

using simdjson::dom::element;
using simdjson::dom::element_type;

bool IsContainer(const element& value) {
    return value.type() == element_type::ARRAY || value.type() == element_type::OBJECT;
}

// A field object's name, type and size; the last of a repeated key counts, other keys are
// ignored, as PacketReader does.
std::optional<data::PacketField> FieldOfTree(const element& value) {
    if (value.type() != element_type::OBJECT)
        return std::nullopt;
    std::optional<element> name, type, size;
    const simdjson::dom::object members = value.get_object().value_unsafe();
    for (const simdjson::dom::key_value_pair member : members) {
        if (IsContainer(member.value))
            return std::nullopt;
        if (member.key == "name")
            name = member.value;
        else if (member.key == "type")
            type = member.value;
        else if (member.key == "size")
            size = member.value;
    }
    if (!name || name->type() != element_type::STRING || !type || type->type() != element_type::STRING)
        return std::nullopt;
    data::PacketField field;
    field.Name = std::string(name->get_string().value_unsafe());
    const std::optional<data::FieldType> named = data::FieldTypeNamed(type->get_string().value_unsafe());
    if (field.Name.empty() || !named)
        return std::nullopt;
    field.Type = *named;
    if (field.Type == data::FieldType::String) {
        if (!size || size->type() != element_type::INT64)
            return std::nullopt;
        const std::int64_t chars = size->get_int64().value_unsafe();
        if (chars <= 0 || chars > std::numeric_limits<int>::max())
            return std::nullopt;
        field.Size = static_cast<int>(chars);
    }
    return field;
}

// A cell as the events of its scalar would give it: an integer without a sign is unsigned.
std::optional<data::Value> CellOfTree(const element& cell, data::FieldType type) {
    switch (cell.type()) {
    case element_type::NULL_VALUE:
        return data::Value{};
    case element_type::STRING: {
        std::string text(cell.get_string().value_unsafe());
        return data::CellFromString(text, type);
    }
    case element_type::INT64: {
        const std::int64_t number = cell.get_int64().value_unsafe();
        return number < 0 ? data::CellFromInteger(number, type)
                          : data::CellFromUnsigned(static_cast<std::uint64_t>(number), type);
    }
    case element_type::UINT64:
        return data::CellFromUnsigned(cell.get_uint64().value_unsafe(), type);
    case element_type::DOUBLE:
        return data::CellFromFloat(cell.get_double().value_unsafe(), type);
    case element_type::BOOL:
        return data::CellFromBoolean(cell.get_bool().value_unsafe(), type);
    default:
        return std::nullopt;
    }
}

bool ReadFields(const element& fields, data::Packet& packet) {
    if (fields.type() != element_type::ARRAY)
        return false;
    const simdjson::dom::array list = fields.get_array().value_unsafe();
    for (const element value : list) {
        std::optional<data::PacketField> field = FieldOfTree(value);
        if (!field)
            return false;
        packet.Fields.push_back(std::move(*field));
    }
    return true;
}

bool ReadRows(const element& rows, data::Packet& packet) {
    if (rows.type() != element_type::ARRAY)
        return false;
    const std::size_t width = packet.Fields.size();
    const simdjson::dom::array list = rows.get_array().value_unsafe();
    for (const element value : list) {
        if (value.type() != element_type::ARRAY)
            return false;
        const simdjson::dom::array cells = value.get_array().value_unsafe();
        if (cells.size() != width)
            return false;
        std::vector<data::Value>& row = packet.Rows.emplace_back();
        row.reserve(width);
        for (const element cell : cells) {
            std::optional<data::Value> converted = CellOfTree(cell, packet.Fields[row.size()].Type);
            if (!converted)
                return false;
            row.push_back(std::move(*converted));
        }
    }
    return true;
}

} // namespace

std::optional<data::Packet> PacketOfTree(const element& packet) {
    if (packet.type() != element_type::OBJECT)
        return std::nullopt;
    const simdjson::dom::object members = packet.get_object().value_unsafe();
    if (members.size() != 2)
        return std::nullopt;
    auto member = members.begin();
    data::Packet read;
    if (member.key() != "fields" || !ReadFields(member.value(), read))
        return std::nullopt;
    ++member;
    if (member.key() != "rows" || !ReadRows(member.value(), read))
        return std::nullopt;
    return read;
}
