#pragma once

#include "ui/Keys.h"

#include <string>

namespace ui {

// A menu shortcut: one key with its modifiers. Key 0 means no shortcut.
struct ShortCut {
    int Key = 0;
    ShiftState Shift;

    bool IsEmpty() const { return Key == 0; }
    bool Matches(int key, ShiftState shift) const { return !IsEmpty() && key == Key && shift == Shift; }
    // "Ctrl+L", "Shift+F9", "" for none.
    std::string ToText() const;
    // Parses what ToText() produces; throws std::invalid_argument otherwise.
    static ShortCut FromText(const std::string& text);

    bool operator==(const ShortCut&) const = default;
};

} // namespace ui
