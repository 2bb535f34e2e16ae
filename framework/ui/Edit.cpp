#include "ui/Edit.h"

#include "data/Utf8.h"

#include <algorithm>

namespace ui {

Edit::Edit(std::string name) : Control(std::move(name)) {}

void Edit::SetText(const std::string& text) {
    ChangeText(ApplyCharCase(text));
}

void Edit::SetMaxLength(int maxLength) {
    Update(m_maxLength, maxLength, Property::MaxLength);
}

void Edit::SetCharCase(ui::CharCase charCase) {
    if (!Update(m_charCase, charCase, Property::CharCase))
        return;
    ChangeText(ApplyCharCase(m_text));
}

void Edit::SetReadOnly(bool readOnly) {
    Update(m_readOnly, readOnly, Property::ReadOnly);
}

void Edit::TypeText(const std::string& text) {
    if (m_readOnly)
        return;
    std::u32string keys = data::utf8::Decode(text);
    if (keys.empty()) {
        ChangeText({});
        return;
    }
    std::string typed;
    std::size_t limit = m_maxLength > 0 ? static_cast<std::size_t>(m_maxLength) : std::u32string::npos;
    for (char32_t key : keys) {
        if (data::utf8::Length(typed) >= limit)
            break;
        data::utf8::Append(typed, key);
        ChangeText(ApplyCharCase(typed));
    }
    PlaceCursor(data::utf8::Length(m_text));
}

void Edit::TypeKey(char32_t key) {
    if (m_readOnly)
        return;
    std::u32string shown = m_allSelected ? std::u32string() : data::utf8::Decode(m_text);
    std::size_t cursor = m_allSelected ? 0 : std::min(m_cursor, shown.size());
    if (m_maxLength > 0 && shown.size() >= static_cast<std::size_t>(m_maxLength))
        return;
    shown.insert(cursor, 1, key);
    PlaceCursor(cursor + 1);
    ChangeText(ApplyCharCase(data::utf8::Encode(shown)));
}

bool Edit::IsOwnKey(int key, ShiftState shift) const {
    if (shift.Ctrl || shift.Alt)
        return false;
    const bool printable = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == Key::Space;
    return printable || EditsWithKey(key);
}

bool Edit::EditsWithKey(int key) const {
    return key == Key::Back || key == Key::Delete || key == Key::Left || key == Key::Right ||
           key == Key::Home || key == Key::End;
}

void Edit::HandleKey(int& key, ShiftState shift) {
    if (!IsOwnKey(key, shift))
        return;
    const int pressed = key;
    key = 0;
    if (pressed >= 'A' && pressed <= 'Z')
        TypeKey(static_cast<char32_t>(shift.Shift ? pressed : pressed - 'A' + 'a'));
    else if ((pressed >= '0' && pressed <= '9') || pressed == Key::Space)
        TypeKey(static_cast<char32_t>(pressed));
    else
        EditKey(pressed);
}

void Edit::EditKey(int key) {
    std::u32string shown = data::utf8::Decode(m_text);
    const std::size_t cursor = std::min(m_cursor, shown.size());
    if (key == Key::Back || key == Key::Delete) {
        if (m_readOnly)
            return;
        if (m_allSelected) {
            shown.clear();
            PlaceCursor(0);
        } else if (key == Key::Back && cursor > 0) {
            shown.erase(cursor - 1, 1);
            PlaceCursor(cursor - 1);
        } else if (key == Key::Delete && cursor < shown.size()) {
            shown.erase(cursor, 1);
        }
        ChangeText(data::utf8::Encode(shown));
        return;
    }
    // A selection collapses to its start or end; otherwise the cursor moves.
    if (key == Key::Home || (key == Key::Left && m_allSelected))
        PlaceCursor(0);
    else if (key == Key::End || (key == Key::Right && m_allSelected))
        PlaceCursor(shown.size());
    else if (key == Key::Left)
        PlaceCursor(cursor > 0 ? cursor - 1 : 0);
    else if (key == Key::Right)
        PlaceCursor(std::min(cursor + 1, shown.size()));
}

void Edit::ClickAtEnd() {
    PlaceCursor(data::utf8::Length(m_text));
}

void Edit::FocusArrived() {
    PlaceCursor(data::utf8::Length(m_text), true);
}

void Edit::PlaceCursor(std::size_t position, bool allSelected) {
    m_cursor = position;
    m_allSelected = allSelected;
}

void Edit::ChangeText(const std::string& text) {
    if (!Update(m_text, text, Property::Text))
        return;
    // A new text ends a selection, and the cursor stays inside it.
    m_allSelected = false;
    m_cursor = std::min(m_cursor, data::utf8::Length(m_text));
    if (OnChange)
        OnChange(*this);
}

std::string Edit::ApplyCharCase(const std::string& text) const {
    switch (m_charCase) {
    case CharCase::Upper:
        return data::utf8::ToUpper(text);
    case CharCase::Lower:
        return data::utf8::ToLower(text);
    case CharCase::Normal:
        break;
    }
    return text;
}

} // namespace ui
