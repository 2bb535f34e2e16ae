#pragma once

#include "data/FieldType.h"
#include "data/Value.h"

#include <cstdint>
#include <functional>
#include <string>

namespace data {

class DataSet;

// A declared column of a dataset. Value access reads the dataset's current row, or the row
// being painted while a PaintedRowScope is alive; writes need the Edit state (or CalcFields,
// for calculated fields) and throw DataSetError otherwise.
class Field {
public:
    Field(DataSet& owner, int index, std::string name, FieldType type, int size);
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    DataSet& Owner() const { return m_owner; }
    int Index() const { return m_index; }
    const std::string& FieldName() const { return m_name; }
    FieldType DataType() const { return m_type; }
    // Characters, for String fields.
    int Size() const { return m_size; }

    const std::string& DisplayLabel() const { return m_displayLabel.empty() ? m_name : m_displayLabel; }
    void SetDisplayLabel(std::string label);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    data::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(data::Alignment alignment);
    const std::string& DisplayFormat() const { return m_displayFormat; }
    void SetDisplayFormat(std::string format);
    bool Calculated() const { return m_calculated; }
    void SetCalculated(bool calculated);
    int DisplayWidth() const;
    void SetDisplayWidth(int width);
    bool Required() const { return m_required; }
    void SetRequired(bool required);

    // Replaces the display text. `text` arrives holding AsString(); `displayText` is true
    // for display and false for editing.
    std::function<void(Field& sender, std::string& text, bool displayText)> OnGetText;

    bool IsNull() const;
    Value GetValue() const;
    void SetValue(const Value& value);
    void Clear();

    // Plain text: floats in shortest "." form, dates in the short date format, "" for null.
    std::string AsString() const;
    void SetAsString(std::string_view text);
    double AsFloat() const;
    void SetAsFloat(double value);
    std::int64_t AsInteger() const;
    void SetAsInteger(std::int64_t value);
    double AsDateTime() const;
    void SetAsDateTime(double value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);

    // What a person is shown: the display format for numbers, a float in the locale's number
    // format (FormatNumber), else AsString(); then OnGetText when assigned.
    std::string DisplayText() const;

    // The value converted to this field's type; strings cut to the size. Throws DataSetError.
    Value Convert(const Value& value) const;

private:
    std::string Describe() const;
    // A text read as this (non-string) type; an empty text is null.
    Value ParseText(const std::string& text) const;

    DataSet& m_owner;
    int m_index;
    std::string m_name;
    FieldType m_type;
    int m_size;
    std::string m_displayLabel;
    bool m_visible = true;
    data::Alignment m_alignment = data::Alignment::Left;
    std::string m_displayFormat;
    bool m_calculated = false;
    int m_displayWidth = 0;
    bool m_required = false;
};

} // namespace data
