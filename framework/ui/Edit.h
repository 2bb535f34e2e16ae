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

    // One key typed where the cursor stands, a change of its own: over the whole text while it
    // is selected (as it is when the focus arrives), otherwise inserted at the cursor.
    virtual void TypeKey(char32_t key);
    // Printable keys without Ctrl or Alt, and the editing keys of EditsWithKey: the edit's own.
    bool IsOwnKey(int key, ShiftState shift) const override;
    // Letters (lower case unless Shift is held), digits and the space bar are typed; Backspace,
    // Delete, Left, Right, Home and End edit and move the cursor as a line edit does.
    void HandleKey(int& key, ShiftState shift) override;
    // Whether a key that is no character edits the text or moves its cursor.
    virtual bool EditsWithKey(int key) const;
    // A mouse click right of the text: the cursor goes to its end and nothing stays selected.
    void ClickAtEnd();
    void FocusArrived() override;

    NotifyEvent OnChange;

protected:
    // Stores the text as it is shown; notifies and runs OnChange when it differs.
    void ChangeText(const std::string& text);
    // Where the next key goes, in characters of the shown text, and whether all of it is selected.
    std::size_t CursorPos() const { return m_cursor; }
    bool AllSelected() const { return m_allSelected; }
    void PlaceCursor(std::size_t position, bool allSelected = false);
    // Backspace, Delete, Left, Right, Home and End on the shown text.
    virtual void EditKey(int key);
    const std::string& RawText() const { return m_text; }
    std::string ApplyCharCase(const std::string& text) const;

private:
    std::string m_text;
    int m_maxLength = 0;
    ui::CharCase m_charCase = CharCase::Normal;
    bool m_readOnly = false;
    std::size_t m_cursor = 0;
    bool m_allSelected = false;
};

} // namespace ui
