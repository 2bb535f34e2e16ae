#pragma once

#include "data/EditMask.h"
#include "ui/Edit.h"

#include <string>

namespace ui {

// An edit that keeps a mask such as ">aaaa;0; ": typing respects each position's character
// class and case, skips literals and leaves blanks in unfilled positions. Text() is the text
// without unfilled positions (and without literals when the mask does not save them);
// EditText() is what the edit shows.
class MaskEdit : public Edit {
public:
    explicit MaskEdit(std::string name = {}) : Edit(std::move(name)) {}

    const std::string& EditMask() const { return m_maskText; }
    void SetEditMask(const std::string& mask);
    const std::string& EditText() const { return RawText(); }
    // Whether every required position is filled.
    bool IsComplete() const;

    std::string Text() const override;
    // Formats the text into the mask.
    void SetText(const std::string& text) override;
    void TypeText(const std::string& text) override;
    // A key fills the next editable position from the cursor (from the first one over a
    // selected text), stepping over literals, and the cursor moves on to the next blank.
    void TypeKey(char32_t key) override;

protected:
    // Backspace and Delete blank a position instead of closing up the text.
    void EditKey(int key) override;

private:
    std::string m_maskText;
    data::EditMask m_mask;
};

} // namespace ui
