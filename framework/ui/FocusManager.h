#pragma once

namespace ui {

class Control;
class Form;

// Keeps a form's focused control and moves it, running the exit and enter handlers in the order
// the module relies on: the target is the focused control before any handler runs; exits run
// innermost first, enters outermost first; a throwing exit handler cancels the move; a focus call
// from inside a move only changes where the move ends.
class FocusManager {
public:
    explicit FocusManager(Form& form) : m_form(form) {}

    Control* Focused() const { return m_focused; }
    void Focus(Control& target);
    // Tab and Shift+Tab: the next control that can take the focus, across containers.
    void SelectNext(bool forward);
    // A control is going away: forget it if it or something inside it holds the focus.
    void Forget(Control& control);

private:
    void Move(Control* from, Control& to);
    void RunExits(Control* from, Control& to);
    void RunEnters(Control* from, Control& to);
    void SetFocused(Control* control);

    Form& m_form;
    Control* m_focused = nullptr;
    bool m_moving = false;
};

} // namespace ui
