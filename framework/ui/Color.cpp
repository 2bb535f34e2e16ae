#include "ui/Color.h"

#include <array>
#include <cstdio>

namespace ui {

namespace {

struct NamedColor {
    const char* name;
    Color color;
    Color defaultRgb; // only meaningful for system colours
};

constexpr std::array<NamedColor, 25> namedColors{{
    {"clBlack", clBlack, clBlack},
    {"clMaroon", clMaroon, clMaroon},
    {"clGreen", clGreen, clGreen},
    {"clOlive", clOlive, clOlive},
    {"clNavy", clNavy, clNavy},
    {"clPurple", clPurple, clPurple},
    {"clTeal", clTeal, clTeal},
    {"clGray", clGray, clGray},
    {"clSilver", clSilver, clSilver},
    {"clRed", clRed, clRed},
    {"clLime", clLime, clLime},
    {"clYellow", clYellow, clYellow},
    {"clBlue", clBlue, clBlue},
    {"clFuchsia", clFuchsia, clFuchsia},
    {"clAqua", clAqua, clAqua},
    {"clWhite", clWhite, clWhite},
    {"clWindow", clWindow, clWhite},
    {"clWindowText", clWindowText, clBlack},
    {"clCaptionText", clCaptionText, clWhite},
    {"clHighlight", clHighlight, Color::Rgb(0x00, 0x78, 0xD7)},
    {"clHighlightText", clHighlightText, clWhite},
    {"clBtnFace", clBtnFace, Color::Rgb(0xF0, 0xF0, 0xF0)},
    {"clBtnText", clBtnText, clBlack},
    {"clInfoText", clInfoText, clBlack},
    {"clInfoBk", clInfoBk, Color::Rgb(0xFF, 0xFF, 0xE1)},
}};

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string Color::Name() const {
    for (const auto& named : namedColors) {
        if (named.color == *this)
            return named.name;
    }
    if (m_system)
        return "clSystem" + std::to_string(m_value);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", Red(), Green(), Blue());
    return text;
}

std::optional<Color> Color::FromName(const std::string& text) {
    for (const auto& named : namedColors) {
        if (text == named.name)
            return named.color;
    }
    const std::string systemPrefix = "clSystem";
    if (text.rfind(systemPrefix, 0) == 0 && text.size() > systemPrefix.size() &&
        text.find_first_not_of("0123456789", systemPrefix.size()) == std::string::npos)
        return Color::System(std::stoi(text.substr(systemPrefix.size())));
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        int digit = HexDigit(text[i]);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return Color::Rgb(static_cast<int>(value >> 16), static_cast<int>(value >> 8 & 0xFF),
                      static_cast<int>(value & 0xFF));
}

Color Color::DefaultRgb() const {
    if (!m_system)
        return *this;
    for (const auto& named : namedColors) {
        if (named.color == *this)
            return named.defaultRgb;
    }
    return clBlack;
}

} // namespace ui
