#include "data/PacketCodec.h"

#include "data/DateTime.h"
#include "data/PacketReader.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace data {

namespace {

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
    return PacketReader::Read(json);
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
