#pragma once

#include "ui/Keys.h"

#include <string>

namespace ui {

class Application;
class Control;
class DBGrid;
class Edit;
class Form;
class MenuItem;
class PageControl;
class TabSheet;

// Acts as a person at the screen would, each action as one top-level event through the
// application's dispatcher. What a person could not do — a disabled or hidden target, a form
// behind a modal dialog, a disabled tab — is refused: the call returns false and the platform
// records the refusal. Otherwise the call returns true, even when a handler failed (the failure
// was shown as a message).
class UserActions {
public:
    explicit UserActions(Application& app) : m_app(app) {}

    // Focuses the control when it takes the focus, then clicks it (a check box toggles, a radio
    // button checks itself, a tool button keeps the focus where it was).
    bool Click(Control& control);
    // The component named on the form: a control or a menu item.
    bool Click(Form& form, const std::string& name);
    bool ClickMenu(MenuItem& item);
    // Focuses the edit, then replaces its text as typed (through the mask for a masked edit).
    bool Type(Edit& edit, const std::string& text);
    // Focuses the control, then offers the key to: a menu shortcut, a menu's accelerator (with
    // Alt), the form's key preview, the control's OnKeyDown, the control itself, and the form
    // (Tab, Enter, Esc, Ctrl+Tab, Ctrl+Page Down).
    bool PressKey(Control& control, int key, ShiftState shift = {});
    // PressKey for a view whose widget types and edits its text itself: the model has the key
    // first, and a typing key nobody took (Control::IsOwnKey) is left to the widget instead of
    // the control. False when the key is left to the widget.
    bool OfferKey(Control& control, int key, ShiftState shift);
    // A key pressed wherever the keyboard is now: an open menu, else the focused control of the
    // active form (or the form itself when nothing in it has the focus).
    bool Press(int key, ShiftState shift = {});
    // Types the text key by key into the edit that holds the focus.
    bool Write(const std::string& text);
    // A mouse click on the control: a button, check box or radio button is clicked, a tab sheet's
    // tab chosen, a menu item chosen, an edit focused with the cursor after its text. While a
    // menu is open the click only closes it.
    bool MouseClick(Control& control);
    // Whether a person could press a key, write, or click the control, cell or title now; when
    // not, the refusal is recorded and the answer is false. The actions above check the same; a
    // desktop view that sends real input events checks first.
    bool MayPress();
    bool MayWrite();
    bool MayMouse(const Control& control);
    bool MayClickCell(const DBGrid& grid, int displayRow);
    bool MayClickTitle(const DBGrid& grid);
    // The form that takes the keyboard: the innermost modal form, else the active form.
    Form* KeyboardForm() const;
    bool SelectTab(PageControl& pages, TabSheet& page);
    bool Focus(Control& control);
    // Like the window's close box.
    bool CloseForm(Form& form);
    // Clicks a data cell: the cursor moves to the display row, then OnCellClick.
    bool ClickCell(DBGrid& grid, int displayRow, int columnIndex);
    bool ClickTitle(DBGrid& grid, int columnIndex);
    // Moves the grid's current row, as the arrow keys or a click on the row would.
    bool MoveGridRow(DBGrid& grid, int displayRow);

private:
    enum class KeyFate { Refused, Taken, LeftToControl };
    // Why a person could not reach the control now; empty when one could.
    std::string WhyUnreachable(const Control& control) const;
    // PressKey and OfferKey: a typing key nobody took is typed by the control when `typeLeftKey`.
    KeyFate KeyOnControl(Control& control, int key, ShiftState shift, bool typeLeftKey);
    std::string WhyUnreachable(const MenuItem& item) const;
    bool MayClick(const Control& control);
    bool MayClickMenu(const MenuItem& item);
    bool MaySelectTab(const PageControl& pages, const TabSheet& page);
    Edit* FocusedEdit() const;
    bool Refuse(const std::string& action, const Control& target, const std::string& why);
    // Focuses the control when it takes the focus; false when the focus did not arrive there.
    static bool FocusFirst(Control& control);
    // The key's way through the form once the focus is where it goes; false when it is a typing
    // key of the control that nobody took, which the caller leaves to the control's own typing.
    bool DeliverKey(Form& form, Control* control, int key, ShiftState shift);
    static void FormKeys(Form& form, int key, ShiftState shift);
    // Ctrl+Page Down chooses the next page of the page control holding the focus, Ctrl+Page Up
    // the previous one.
    static bool PageKeys(Form& form, int key, ShiftState shift);
    // Ctrl+Tab (with Shift, backwards) brings the next child window of the main window to the
    // front, in the order they were made.
    static void NextChildWindow(Form& form, bool forward);

    Application& m_app;
};

} // namespace ui
