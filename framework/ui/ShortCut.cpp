#include "ui/ShortCut.h"

#include <stdexcept>

namespace ui {

namespace {

std::string KeyName(int key) {
    if (key >= Key::F1 && key < Key::F1 + 12)
        return "F" + std::to_string(key - Key::F1 + 1);
    switch (key) {
    case Key::Return:
        return "Enter";
    case Key::Escape:
        return "Esc";
    case Key::Space:
        return "Space";
    case Key::Delete:
        return "Del";
    default:
        return std::string(1, static_cast<char>(key));
    }
}

int KeyFromName(const std::string& name) {
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return name[0];
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
        return name[0] - 'a' + 'A';
    for (int key = 1; key < 256; ++key) {
        if (KeyName(key) == name && name.size() > 1)
            return key;
    }
    throw std::invalid_argument("unknown key in shortcut: " + name);
}

} // namespace

std::string ShortCut::ToText() const {
    if (IsEmpty())
        return {};
    std::string text;
    if (Shift.Ctrl)
        text += "Ctrl+";
    if (Shift.Shift)
        text += "Shift+";
    if (Shift.Alt)
        text += "Alt+";
    return text + KeyName(Key);
}

ShortCut ShortCut::FromText(const std::string& text) {
    ShortCut result;
    if (text.empty())
        return result;
    std::string rest = text;
    for (;;) {
        auto plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size())
            break;
        std::string modifier = rest.substr(0, plus);
        if (modifier == "Ctrl")
            result.Shift.Ctrl = true;
        else if (modifier == "Shift")
            result.Shift.Shift = true;
        else if (modifier == "Alt")
            result.Shift.Alt = true;
        else
            throw std::invalid_argument("unknown modifier in shortcut: " + text);
        rest = rest.substr(plus + 1);
    }
    result.Key = KeyFromName(rest);
    return result;
}

} // namespace ui
