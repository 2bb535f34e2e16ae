#pragma once

#include "ui/Keys.h"

#include <vector>

namespace ui {

class Form;
class MenuItem;

// The keyboard on a form's menu bar, as the desktop's menus take it: Alt with a menu's
// accelerator letter opens that menu with its first enabled entry highlighted; while a menu is
// open it takes every key: Up and Down move the highlight over the enabled entries, Left and
// Right open the neighbouring menu, Enter or an entry's accelerator letter chooses that entry,
// and Esc closes the menu.
class MenuKeys {
public:
    MenuItem* OpenMenu() const { return m_open; }
    MenuItem* Highlighted() const { return m_highlighted; }

    // Opens the form's menu whose accelerator is the key pressed with Alt; false when no enabled
    // menu has it.
    bool Open(Form& form, int key, ShiftState shift);
    // A key for the open menu. Returns the entry chosen, after closing the menu, or nullptr.
    MenuItem* Press(int key, ShiftState shift);
    void Close();
    // A desktop's own menu opened the form's menu (by a click or a key the desktop handled).
    void Opened(Form& form, MenuItem& menu);
    // The form is going away or stopped being active: its menu closes.
    void Forget(const Form& form);

private:
    void Show(MenuItem& menu);
    // The entries a person can reach in the open menu, in order.
    std::vector<MenuItem*> Entries() const;
    // The enabled menus of the menu bar, in order.
    std::vector<MenuItem*> Menus() const;
    MenuItem* Step(const std::vector<MenuItem*>& items, MenuItem* from, int step) const;

    Form* m_form = nullptr;
    MenuItem* m_open = nullptr;
    MenuItem* m_highlighted = nullptr;
};

} // namespace ui
