#pragma once

#include "ui/Control.h"

#include <string>

namespace ui {

enum class CharCase { Normal, Upper, Lower };

// A one-line text edit. OnChange runs on every real change of the text, typed or set by code,
// and never when the new text equals the old one.
class Edit : public Control {
public:
    explicit Edit(std::string name = {});

    virtual std::string Text() const { return m_text; }
    virtual void SetText(const std::string& text);
    void Clear() { SetText({}); }

    // Limit for typing, in characters; 0 is no limit.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int maxLength);
    ui::CharCase CharCase() const { return m_charCase; }
    void SetCharCase(ui::CharCase charCase);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);

    bool AcceptsFocus() const override { return true; }

    // Typing as a person does after selecting the whole text: the first key replaces it, every
    // further key is appended, each one a change of its own.
    virtual void TypeText(const std::string& text);

    NotifyEvent OnChange;

protected:
    // Stores the text as it is shown; notifies and runs OnChange when it differs.
    void ChangeText(const std::string& text);
    const std::string& RawText() const { return m_text; }
    std::string ApplyCharCase(const std::string& text) const;

private:
    std::string m_text;
    int m_maxLength = 0;
    ui::CharCase m_charCase = CharCase::Normal;
    bool m_readOnly = false;
};

} // namespace ui
