#include "ui/MaskEdit.h"

#include "data/Utf8.h"

#include <algorithm>

namespace ui {

void MaskEdit::SetEditMask(const std::string& mask) {
    if (mask == m_maskText)
        return;
    std::string text = Text();
    m_maskText = mask;
    m_mask = data::EditMask(mask);
    Notify(Property::EditMask);
    SetText(text);
}

bool MaskEdit::IsComplete() const {
    return m_mask.IsEmpty() || m_mask.IsComplete(RawText());
}

std::string MaskEdit::Text() const {
    return m_mask.IsEmpty() ? Edit::Text() : m_mask.ExtractText(RawText());
}

void MaskEdit::SetText(const std::string& text) {
    if (m_mask.IsEmpty())
        Edit::SetText(text);
    else
        ChangeText(m_mask.EditText(text));
}

void MaskEdit::TypeText(const std::string& text) {
    if (m_mask.IsEmpty() || ReadOnly()) {
        Edit::TypeText(text);
        return;
    }
    std::u32string keys = data::utf8::Decode(text);
    if (keys.empty()) {
        ChangeText(m_mask.BlankText());
        return;
    }
    // Typing over the selected whole text: it starts from the blank mask.
    std::u32string shown = data::utf8::Decode(m_mask.BlankText());
    std::size_t cursor = 0;
    for (char32_t key : keys) {
        std::size_t target = m_mask.NextEditable(cursor);
        if (target < m_mask.Length() && m_mask.Accepts(target, key)) {
            shown[target] = m_mask.ApplyCase(target, key);
            cursor = target + 1;
            ChangeText(data::utf8::Encode(shown));
        } else if (cursor < m_mask.Length() && m_mask.IsLiteral(cursor) && m_mask.At(cursor).Literal == key) {
            ++cursor; // typing the literal steps over it
        }
    }
    PlaceCursor(m_mask.NextEditable(cursor));
}

void MaskEdit::TypeKey(char32_t key) {
    if (m_mask.IsEmpty() || ReadOnly()) {
        Edit::TypeKey(key);
        return;
    }
    std::u32string shown = data::utf8::Decode(AllSelected() ? m_mask.BlankText() : RawText());
    const std::size_t cursor = AllSelected() ? 0 : CursorPos();
    const std::size_t target = m_mask.NextEditable(cursor);
    if (target >= m_mask.Length() || target >= shown.size() || !m_mask.Accepts(target, key)) {
        if (cursor < m_mask.Length() && m_mask.IsLiteral(cursor) && m_mask.At(cursor).Literal == key)
            PlaceCursor(m_mask.NextEditable(cursor + 1));
        return;
    }
    shown[target] = m_mask.ApplyCase(target, key);
    PlaceCursor(m_mask.NextEditable(target + 1));
    ChangeText(data::utf8::Encode(shown));
}

void MaskEdit::EditKey(int key) {
    if (m_mask.IsEmpty() || (key != Key::Back && key != Key::Delete)) {
        Edit::EditKey(key);
        return;
    }
    if (ReadOnly())
        return;
    if (AllSelected()) {
        PlaceCursor(0);
        ChangeText(m_mask.BlankText());
        return;
    }
    std::u32string shown = data::utf8::Decode(RawText());
    std::size_t position = std::min(CursorPos(), shown.size());
    if (key == Key::Back) {
        if (position == 0)
            return;
        // Back over the literals to the editable position before the cursor.
        do
            --position;
        while (position > 0 && m_mask.IsLiteral(position));
        PlaceCursor(position);
    }
    if (position >= shown.size() || m_mask.IsLiteral(position))
        return;
    shown[position] = m_mask.Blank();
    ChangeText(data::utf8::Encode(shown));
}

} // namespace ui
