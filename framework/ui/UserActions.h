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
    // Focuses the control, then offers the key to: a menu shortcut, the form's key preview, the
    // control's OnKeyDown, the control itself, and the form (Tab, Enter, Esc).
    bool PressKey(Control& control, int key, ShiftState shift = {});
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
    // Empty when a person could reach the control, otherwise why not.
    std::string WhyUnreachable(const Control& control) const;
    std::string WhyUnreachable(const MenuItem& item) const;
    bool Refuse(const std::string& action, const Control& target, const std::string& why);
    // Focuses the control when it takes the focus; false when the focus did not arrive there.
    static bool FocusFirst(Control& control);
    static void FormKeys(Form& form, int key, ShiftState shift);

    Application& m_app;
};

} // namespace ui
