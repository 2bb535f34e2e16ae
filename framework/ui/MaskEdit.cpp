#include "ui/MaskEdit.h"

#include "data/Utf8.h"

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
}

} // namespace ui
