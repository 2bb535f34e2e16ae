#include "data/Field.h"

#include "data/DataSet.h"
#include "data/DataSetError.h"
#include "data/Format.h"
#include "data/PacketCodec.h"
#include "data/Utf8.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace data {

namespace {

std::string ShortestText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<bool> ParseBoolean(std::string_view text) {
    const std::string folded = utf8::Fold(text);
    if (folded == "true" || folded == "1" || folded == "s") {
        return true;
    }
    if (folded == "false" || folded == "0" || folded == "n") {
        return false;
    }
    return std::nullopt;
}

} // namespace

Field::Field(DataSet& owner, int index, std::string name, FieldType type, int size)
    : m_owner(owner), m_index(index), m_name(std::move(name)), m_type(type), m_size(size) {
    if (type == FieldType::Float || type == FieldType::Integer) {
        m_alignment = data::Alignment::Right;
    }
}

void Field::SetDisplayLabel(std::string label) {
    if (label == m_displayLabel) {
        return;
    }
    m_displayLabel = std::move(label);
}

void Field::SetVisible(bool visible) {
    m_visible = visible;
}

void Field::SetAlignment(data::Alignment alignment) {
    m_alignment = alignment;
}

void Field::SetDisplayFormat(std::string format) {
    if (format == m_displayFormat) {
        return;
    }
    m_displayFormat = std::move(format);
}

void Field::SetCalculated(bool calculated) {
    m_calculated = calculated;
}

int Field::DisplayWidth() const {
    if (m_displayWidth > 0) {
        return m_displayWidth;
    }
    switch (m_type) {
    case FieldType::String:
        return m_size;
    case FieldType::DateTime:
        return 18;
    case FieldType::Boolean:
        return 5;
    default:
        return 10;
    }
}

void Field::SetDisplayWidth(int width) {
    m_displayWidth = width;
}

void Field::SetRequired(bool required) {
    m_required = required;
}

bool Field::IsNull() const {
    return IsNullValue(GetValue());
}

Value Field::GetValue() const {
    return m_owner.ReadValue(m_index);
}

void Field::SetValue(const Value& value) {
    Value converted = Convert(value);
    m_owner.WritableValue(*this) = std::move(converted);
}

void Field::Clear() {
    SetValue(std::monostate{});
}

std::string Field::Describe() const {
    return "field '" + m_name + "' (" + PacketTypeName(m_type) + ")";
}

Value Field::ParseText(const std::string& text) const {
    if (text.empty()) {
        return std::monostate{};
    }
    std::optional<Value> parsed;
    switch (m_type) {
    case FieldType::Float:
    case FieldType::Integer: {
        if (const auto number = ParseFloat(text)) {
            parsed = m_type == FieldType::Float ? Value(*number) : Value(std::llround(*number));
        }
        break;
    }
    case FieldType::Date: {
        if (const auto date = ParseDate(text)) {
            parsed = *date;
        }
        break;
    }
    case FieldType::DateTime: {
        if (const auto date = ParseDateTime(text)) {
            parsed = *date;
        }
        break;
    }
    case FieldType::Boolean: {
        if (const auto flag = ParseBoolean(text)) {
            parsed = *flag;
        }
        break;
    }
    case FieldType::String:
        break;
    }
    if (!parsed) {
        throw DataSetError("'" + text + "' is not a valid value for " + Describe());
    }
    return *parsed;
}

Value Field::Convert(const Value& value) const {
    if (IsNullValue(value)) {
        return value;
    }
    if (const auto* text = std::get_if<std::string>(&value); text && m_type != FieldType::String) {
        return ParseText(*text);
    }
    switch (m_type) {
    case FieldType::String:
        if (const auto* text = std::get_if<std::string>(&value)) {
            return m_size <= 0 || text->size() <= static_cast<std::size_t>(m_size)
                       ? *text
                       : utf8::Left(*text, static_cast<std::size_t>(m_size));
        }
        break;
    case FieldType::Float:
    case FieldType::Date:
    case FieldType::DateTime:
        if (const auto* number = std::get_if<double>(&value)) {
            return *number;
        }
        if (const auto* integer = std::get_if<std::int64_t>(&value)) {
            return static_cast<double>(*integer);
        }
        break;
    case FieldType::Integer:
        if (const auto* integer = std::get_if<std::int64_t>(&value)) {
            return *integer;
        }
        if (const auto* number = std::get_if<double>(&value)) {
            return static_cast<std::int64_t>(std::llround(*number));
        }
        break;
    case FieldType::Boolean:
        if (const auto* flag = std::get_if<bool>(&value)) {
            return *flag;
        }
        break;
    }
    throw DataSetError("value of the wrong type for " + Describe());
}

std::string Field::AsString() const {
    const Value& value = GetValue();
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*integer);
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? FormatSettings::Current().TrueText : FormatSettings::Current().FalseText;
    }
    if (const auto* number = std::get_if<double>(&value)) {
        switch (m_type) {
        case FieldType::Date:
            return FormatDate(*number);
        case FieldType::DateTime:
            return FormatDateTime(*number);
        default:
            return ShortestText(*number);
        }
    }
    return {};
}

void Field::SetAsString(std::string_view text) {
    SetValue(std::string(text));
}

double Field::AsFloat() const {
    const Value& value = GetValue();
    if (const auto* number = std::get_if<double>(&value)) {
        return *number;
    }
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return static_cast<double>(*integer);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        if (const auto parsed = ParseFloat(*text)) {
            return *parsed;
        }
        throw DataSetError("'" + *text + "' is not a number in " + Describe());
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? 1.0 : 0.0;
    }
    return 0.0;
}

void Field::SetAsFloat(double value) {
    SetValue(value);
}

std::int64_t Field::AsInteger() const {
    const Value value = GetValue();
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return *integer;
    }
    return std::llround(AsFloat());
}

void Field::SetAsInteger(std::int64_t value) {
    SetValue(value);
}

double Field::AsDateTime() const {
    return AsFloat();
}

void Field::SetAsDateTime(double value) {
    SetValue(value);
}

bool Field::AsBoolean() const {
    const Value& value = GetValue();
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return ParseBoolean(*text).value_or(false);
    }
    return !IsNullValue(value) && AsFloat() != 0.0;
}

void Field::SetAsBoolean(bool value) {
    SetValue(value);
}

std::string Field::DisplayText() const {
    std::string text;
    const Value& value = GetValue();
    const bool numeric = std::holds_alternative<double>(value) || std::holds_alternative<std::int64_t>(value);
    if (!m_displayFormat.empty() && numeric && (m_type == FieldType::Float || m_type == FieldType::Integer)) {
        text = FormatFloat(m_displayFormat, AsFloat());
    } else if (m_type == FieldType::Float && std::holds_alternative<double>(value)) {
        text = FormatNumber(std::get<double>(value));
    } else {
        text = AsString();
    }
    if (OnGetText) {
        OnGetText(const_cast<Field&>(*this), text, true);
    }
    return text;
}

} // namespace data
