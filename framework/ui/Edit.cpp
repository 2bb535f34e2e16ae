#include "ui/Edit.h"

#include "data/Utf8.h"

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
}

void Edit::ChangeText(const std::string& text) {
    if (!Update(m_text, text, Property::Text))
        return;
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
