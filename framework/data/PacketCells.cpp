#include "data/PacketCells.h"

#include "data/DateTime.h"
#include "data/PacketCodec.h"

#include <limits>

namespace data {

std::optional<Value> CellFromString(std::string& text, FieldType type) {
    switch (type) {
    case FieldType::String:
        return Value(std::move(text));
    case FieldType::Date:
    case FieldType::DateTime: {
        const auto date = type == FieldType::Date ? IsoToDate(text) : IsoToDateTime(text);
        return date ? std::optional<Value>(*date) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<Value> CellFromInteger(std::int64_t number, FieldType type) {
    if (type == FieldType::Integer)
        return Value(number);
    if (type == FieldType::Float)
        return Value(static_cast<double>(number));
    return std::nullopt;
}

std::optional<Value> CellFromUnsigned(std::uint64_t number, FieldType type) {
    if (type == FieldType::Integer &&
        number <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return Value(static_cast<std::int64_t>(number));
    if (type == FieldType::Float)
        return Value(static_cast<double>(number));
    return std::nullopt;
}

std::optional<Value> CellFromFloat(double number, FieldType type) {
    return type == FieldType::Float ? std::optional<Value>(number) : std::nullopt;
}

std::optional<Value> CellFromBoolean(bool flag, FieldType type) {
    return type == FieldType::Boolean ? std::optional<Value>(flag) : std::nullopt;
}

std::optional<FieldType> FieldTypeNamed(std::string_view name) {
    for (FieldType type : {FieldType::String, FieldType::Float, FieldType::Integer, FieldType::Boolean,
                           FieldType::Date, FieldType::DateTime}) {
        if (name == PacketTypeName(type))
            return type;
    }
    return std::nullopt;
}

} // namespace data
