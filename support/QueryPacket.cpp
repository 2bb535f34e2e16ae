#include "QueryPacket.h"

#include "data/DateTime.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <stdexcept>

namespace {

using data::FieldType;

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

// A real as the shortest text that reads back as the same number, with a point.
std::string ShortestText(double number) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, written.ptr);
}

template <class Number> std::optional<Number> ParseNumber(const std::string& text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

// Dates come back as ISO text: "YYYY-MM-DD", or with a time after a space or a "T" (PostgreSQL
// may add fractions of a second, which a date value does not keep).
std::optional<double> ParseDate(std::string text) {
    if (text.size() == 10) {
        return data::IsoToDate(text);
    }
    if (text.size() < 19) {
        return std::nullopt;
    }
    text[10] = 'T';
    return data::IsoToDateTime(std::string_view(text).substr(0, 19));
}

std::optional<bool> ParseBoolean(const std::string& text) {
    static const char* const yes[] = {"S", "s", "T", "t", "true", "1"};
    static const char* const no[] = {"N", "n", "F", "f", "false", "0"};
    if (std::find(std::begin(yes), std::end(yes), text) != std::end(yes)) {
        return true;
    }
    if (std::find(std::begin(no), std::end(no), text) != std::end(no)) {
        return false;
    }
    return std::nullopt;
}

std::optional<data::Value> FromInteger(std::int64_t number, FieldType type) {
    switch (type) {
    case FieldType::String:
        return data::Value(std::to_string(number));
    case FieldType::Integer:
        return data::Value(number);
    case FieldType::Float:
        return data::Value(static_cast<double>(number));
    case FieldType::Boolean:
        return data::Value(number != 0);
    default:
        return std::nullopt;
    }
}

std::optional<data::Value> FromDouble(double number, FieldType type) {
    switch (type) {
    case FieldType::String:
        return data::Value(ShortestText(number));
    case FieldType::Float:
        return data::Value(number);
    case FieldType::Integer:
        if (number == static_cast<double>(static_cast<std::int64_t>(number))) {
            return data::Value(static_cast<std::int64_t>(number));
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<data::Value> FromText(const std::string& text, FieldType type) {
    const auto wrap = [](const auto& parsed) -> std::optional<data::Value> {
        return parsed ? std::optional<data::Value>(data::Value(*parsed)) : std::nullopt;
    };
    switch (type) {
    case FieldType::String:
        return data::Value(text);
    case FieldType::Integer:
        return wrap(ParseNumber<std::int64_t>(text));
    case FieldType::Float:
        return wrap(ParseNumber<double>(text));
    case FieldType::Date:
    case FieldType::DateTime:
        return wrap(ParseDate(text));
    case FieldType::Boolean:
        return wrap(ParseBoolean(text));
    }
    return std::nullopt;
}

std::optional<data::Value> Convert(const data::Value& value, FieldType type) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return FromInteger(*number, type);
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return FromDouble(*number, type);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return FromText(*text, type);
    }
    return data::Value{};
}

const char* TypeName(FieldType type) {
    switch (type) {
    case FieldType::String:
        return "um texto";
    case FieldType::Float:
        return "um número";
    case FieldType::Integer:
        return "um número inteiro";
    case FieldType::Date:
        return "uma data";
    case FieldType::DateTime:
        return "uma data e hora";
    case FieldType::Boolean:
        return "um valor lógico";
    }
    return "";
}

std::size_t ColumnOf(const data::DataSet& dataSet, const data::Field& field, const data::Packet& result) {
    const auto& columns = result.Fields;
    const auto found = std::find_if(columns.begin(), columns.end(), [&](const data::PacketField& column) {
        return SameName(column.Name, field.FieldName());
    });
    if (found == columns.end()) {
        throw std::runtime_error("Consulta " + dataSet.Name() + ": o campo " + field.FieldName() +
                                 " não está no resultado.");
    }
    return static_cast<std::size_t>(found - columns.begin());
}

} // namespace

data::Packet QueryPacket(const data::DataSet& dataSet, const data::Packet& result) {
    data::Packet packet;
    std::vector<const data::Field*> fields;
    std::vector<std::size_t> columns;
    for (const auto& field : dataSet.Fields()) {
        if (field->Calculated()) {
            continue;
        }
        columns.push_back(ColumnOf(dataSet, *field, result));
        fields.push_back(field.get());
        packet.Fields.push_back({field->FieldName(), field->DataType(), field->Size()});
    }
    packet.Rows.reserve(result.Rows.size());
    for (std::size_t row = 0; row < result.Rows.size(); ++row) {
        auto& cells = packet.Rows.emplace_back();
        cells.reserve(fields.size());
        for (std::size_t index = 0; index < fields.size(); ++index) {
            auto value = Convert(result.Rows[row][columns[index]], fields[index]->DataType());
            if (!value) {
                throw std::runtime_error("Consulta " + dataSet.Name() + ": o valor do campo " +
                                         fields[index]->FieldName() + " na linha " + std::to_string(row + 1) +
                                         " não é " + TypeName(fields[index]->DataType()) + ".");
            }
            cells.push_back(std::move(*value));
        }
    }
    return packet;
}
