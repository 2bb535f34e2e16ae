#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ui {

// A colour is either a fixed RGB value or one of the desktop's system colours, which only the
// platform can turn into RGB because they follow the user's colour scheme.
class Color {
public:
    constexpr Color() = default;

    static constexpr Color Rgb(int r, int g, int b) {
        return Color(false, static_cast<std::uint32_t>((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF)));
    }
    static constexpr Color System(int index) { return Color(true, static_cast<std::uint32_t>(index)); }

    constexpr bool IsSystem() const { return m_system; }
    constexpr int SystemIndex() const { return m_system ? static_cast<int>(m_value) : -1; }
    constexpr int Red() const { return static_cast<int>(m_value >> 16 & 0xFF); }
    constexpr int Green() const { return static_cast<int>(m_value >> 8 & 0xFF); }
    constexpr int Blue() const { return static_cast<int>(m_value & 0xFF); }
    // 0xRRGGBB for an RGB colour.
    constexpr std::uint32_t Value() const { return m_value; }

    // "clInfoBk", "clBlue" for named colours, otherwise "#RRGGBB".
    std::string Name() const;
    // Accepts what Name() produces; nullopt for anything else.
    static std::optional<Color> FromName(const std::string& text);
    // The RGB value of a system colour in the default desktop scheme (an RGB colour is returned as is).
    Color DefaultRgb() const;

    constexpr bool operator==(const Color&) const = default;

private:
    constexpr Color(bool system, std::uint32_t value) : m_system(system), m_value(value) {}

    bool m_system = false;
    std::uint32_t m_value = 0;
};

inline constexpr Color clBlack = Color::Rgb(0, 0, 0);
inline constexpr Color clMaroon = Color::Rgb(0x80, 0, 0);
inline constexpr Color clGreen = Color::Rgb(0, 0x80, 0);
inline constexpr Color clOlive = Color::Rgb(0x80, 0x80, 0);
inline constexpr Color clNavy = Color::Rgb(0, 0, 0x80);
inline constexpr Color clPurple = Color::Rgb(0x80, 0, 0x80);
inline constexpr Color clTeal = Color::Rgb(0, 0x80, 0x80);
inline constexpr Color clGray = Color::Rgb(0x80, 0x80, 0x80);
inline constexpr Color clSilver = Color::Rgb(0xC0, 0xC0, 0xC0);
inline constexpr Color clRed = Color::Rgb(0xFF, 0, 0);
inline constexpr Color clLime = Color::Rgb(0, 0xFF, 0);
inline constexpr Color clYellow = Color::Rgb(0xFF, 0xFF, 0);
inline constexpr Color clBlue = Color::Rgb(0, 0, 0xFF);
inline constexpr Color clFuchsia = Color::Rgb(0xFF, 0, 0xFF);
inline constexpr Color clAqua = Color::Rgb(0, 0xFF, 0xFF);
inline constexpr Color clWhite = Color::Rgb(0xFF, 0xFF, 0xFF);

// System colours, by the desktop's colour index.
inline constexpr Color clWindow = Color::System(5);
inline constexpr Color clWindowText = Color::System(8);
inline constexpr Color clCaptionText = Color::System(9);
inline constexpr Color clHighlight = Color::System(13);
inline constexpr Color clHighlightText = Color::System(14);
inline constexpr Color clBtnFace = Color::System(15);
inline constexpr Color clBtnText = Color::System(18);
inline constexpr Color clInfoText = Color::System(23);
inline constexpr Color clInfoBk = Color::System(24);

} // namespace ui
