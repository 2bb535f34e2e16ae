#pragma once

namespace ui {

// Virtual key codes as the desktop delivers them; letters and digits are their upper-case ASCII codes.
struct Key {
    static constexpr int Back = 8;
    static constexpr int Tab = 9;
    static constexpr int Return = 13;
    static constexpr int Escape = 27;
    static constexpr int Space = 32;
    static constexpr int PageUp = 33;
    static constexpr int PageDown = 34;
    static constexpr int End = 35;
    static constexpr int Home = 36;
    static constexpr int Left = 37;
    static constexpr int Up = 38;
    static constexpr int Right = 39;
    static constexpr int Down = 40;
    static constexpr int Insert = 45;
    static constexpr int Delete = 46;
    static constexpr int F1 = 112;
    static constexpr int F9 = 120;
};

struct ShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;

    static constexpr ShiftState None() { return {}; }
    static constexpr ShiftState WithCtrl() { return {false, true, false}; }
    static constexpr ShiftState WithShift() { return {true, false, false}; }

    bool operator==(const ShiftState&) const = default;
};

} // namespace ui
