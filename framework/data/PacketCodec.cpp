#include "data/PacketCodec.h"

#include "data/DateTime.h"
#include "data/PacketError.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace data {

namespace {

using Json = nlohmann::json;

constexpr FieldType AllTypes[] = {FieldType::String,  FieldType::Float, FieldType::Integer,
                                  FieldType::Boolean, FieldType::Date,  FieldType::DateTime};

std::string FieldLabel(std::size_t index, const std::string& name) {
    return "field " + std::to_string(index + 1) + (name.empty() ? "" : " ('" + name + "')");
}

PacketField ParseField(const Json& item, std::size_t index) {
    if (!item.is_object()) {
        throw PacketError(FieldLabel(index, {}) + " is not an object");
    }
    PacketField field;
    const auto name = item.find("name");
    if (name == item.end() || !name->is_string() || name->get_ref<const std::string&>().empty()) {
        throw PacketError(FieldLabel(index, {}) + " has no \"name\"");
    }
    field.Name = name->get<std::string>();
    const auto type = item.find("type");
    if (type == item.end() || !type->is_string()) {
        throw PacketError(FieldLabel(index, field.Name) + " has no \"type\"");
    }
    const std::string& typeName = type->get_ref<const std::string&>();
    bool known = false;
    for (FieldType candidate : AllTypes) {
        if (typeName == PacketTypeName(candidate)) {
            field.Type = candidate;
            known = true;
        }
    }
    if (!known) {
        throw PacketError(FieldLabel(index, field.Name) + " has the unknown type \"" + typeName + "\"");
    }
    if (field.Type == FieldType::String) {
        const auto size = item.find("size");
        if (size == item.end() || !size->is_number_integer() || size->get<int>() <= 0) {
            throw PacketError(FieldLabel(index, field.Name) + " is a string without a positive \"size\"");
        }
        field.Size = size->get<int>();
    }
    return field;
}

std::optional<Value> ParseValue(const Json& cell, FieldType type) {
    if (cell.is_null()) {
        return Value{};
    }
    switch (type) {
    case FieldType::String:
        return cell.is_string() ? std::optional<Value>(cell.get<std::string>()) : std::nullopt;
    case FieldType::Float:
        return cell.is_number() ? std::optional<Value>(cell.get<double>()) : std::nullopt;
    case FieldType::Integer:
        return cell.is_number_integer() ? std::optional<Value>(cell.get<std::int64_t>()) : std::nullopt;
    case FieldType::Boolean:
        return cell.is_boolean() ? std::optional<Value>(cell.get<bool>()) : std::nullopt;
    case FieldType::Date:
    case FieldType::DateTime: {
        if (!cell.is_string()) {
            return std::nullopt;
        }
        const std::string& text = cell.get_ref<const std::string&>();
        const auto date = type == FieldType::Date ? IsoToDate(text) : IsoToDateTime(text);
        return date ? std::optional<Value>(*date) : std::nullopt;
    }
    }
    return std::nullopt;
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

void AppendString(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out.push_back('\\');
            out.push_back(ch);
        } else if (byte < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", byte);
            out += buffer;
        } else {
            out.push_back(ch);
        }
    }
    out.push_back('"');
}

void AppendValue(std::string& out, const Value& value, FieldType type) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        AppendString(out, *text);
    } else if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        out += std::to_string(*integer);
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        out += *flag ? "true" : "false";
    } else if (const auto* number = std::get_if<double>(&value); number && std::isfinite(*number)) {
        if (type == FieldType::Date || type == FieldType::DateTime) {
            AppendString(out, type == FieldType::Date ? DateToIso(*number) : DateTimeToIso(*number));
            return;
        }
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, *number);
        const std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
        out += digits;
        if (digits.find_first_of(".e") == std::string_view::npos) {
            out += ".0";
        }
    } else {
        out += "null";
    }
}

} // namespace

const char* PacketTypeName(FieldType type) {
    switch (type) {
    case FieldType::String:
        return "string";
    case FieldType::Float:
        return "float";
    case FieldType::Integer:
        return "integer";
    case FieldType::Boolean:
        return "boolean";
    case FieldType::Date:
        return "date";
    case FieldType::DateTime:
        return "datetime";
    }
    return "unknown";
}

Packet ParsePacket(std::string_view json) {
    Json doc = Json::parse(json.begin(), json.end(), nullptr, false);
    if (doc.is_discarded()) {
        throw PacketError("the packet is not valid JSON");
    }
    if (!doc.is_object()) {
        throw PacketError("the packet is not a JSON object");
    }
    const auto fields = doc.find("fields");
    const auto rows = doc.find("rows");
    if (fields == doc.end() || !fields->is_array()) {
        throw PacketError("the packet has no \"fields\" array");
    }
    if (rows == doc.end() || !rows->is_array()) {
        throw PacketError("the packet has no \"rows\" array");
    }
    Packet packet;
    packet.Fields.reserve(fields->size());
    for (std::size_t i = 0; i < fields->size(); ++i) {
        packet.Fields.push_back(ParseField((*fields)[i], i));
    }
    packet.Rows.reserve(rows->size());
    for (std::size_t r = 0; r < rows->size(); ++r) {
        const Json& row = (*rows)[r];
        if (!row.is_array() || row.size() != packet.Fields.size()) {
            throw PacketError("row " + std::to_string(r + 1) + " does not hold " +
                              std::to_string(packet.Fields.size()) + " values");
        }
        auto& cells = packet.Rows.emplace_back();
        cells.reserve(row.size());
        for (std::size_t i = 0; i < row.size(); ++i) {
            const PacketField& field = packet.Fields[i];
            auto value = ParseValue(row[i], field.Type);
            if (!value) {
                throw PacketError("row " + std::to_string(r + 1) + ", " + FieldLabel(i, field.Name) +
                                  ": expected " + Expected(field.Type) + ", got " + row[i].dump());
            }
            cells.push_back(std::move(*value));
        }
    }
    return packet;
}

std::string SerializePacket(const Packet& packet) {
    std::string out = "{\"fields\":[";
    for (std::size_t i = 0; i < packet.Fields.size(); ++i) {
        const PacketField& field = packet.Fields[i];
        out += i ? ",{\"name\":" : "{\"name\":";
        AppendString(out, field.Name);
        out += ",\"type\":\"";
        out += PacketTypeName(field.Type);
        out += '"';
        if (field.Type == FieldType::String) {
            out += ",\"size\":" + std::to_string(field.Size);
        }
        out += '}';
    }
    out += "],\"rows\":[";
    for (std::size_t r = 0; r < packet.Rows.size(); ++r) {
        out += r ? ",[" : "[";
        const auto& cells = packet.Rows[r];
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i) {
                out.push_back(',');
            }
            AppendValue(out, cells[i], i < packet.Fields.size() ? packet.Fields[i].Type : FieldType::String);
        }
        out.push_back(']');
    }
    out += "]}";
    return out;
}

} // namespace data
