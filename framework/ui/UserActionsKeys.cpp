#include "data/Utf8.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MainMenu.h"
#include "ui/MenuItem.h"
#include "ui/PageControl.h"
#include "ui/TabSheet.h"
#include "ui/UserActions.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

Button* FindButton(const Container& container, bool wantDefault) {
    for (Control* child : container.Controls()) {
        auto* button = dynamic_cast<Button*>(child);
        if (button && (wantDefault ? button->Default() : button->Cancel()) && button->IsShowing() &&
            button->IsEffectivelyEnabled())
            return button;
        if (auto* inner = dynamic_cast<const Container*>(child))
            if (Button* found = FindButton(*inner, wantDefault))
                return found;
    }
    return nullptr;
}

// The key a keyboard sends for a character: letters and digits have one, and the space bar; 0
// for any other character, which only types.
int KeyOfCharacter(char32_t character) {
    if (character >= U'a' && character <= U'z')
        return static_cast<int>(character - U'a' + U'A');
    if ((character >= U'A' && character <= U'Z') || (character >= U'0' && character <= U'9') ||
        character == U' ')
        return static_cast<int>(character);
    return 0;
}

// The innermost page control holding the control, or the control itself when it is one.
PageControl* PagesHolding(Control* control) {
    for (Control* c = control; c; c = c->Parent())
        if (auto* pages = dynamic_cast<PageControl*>(c))
            return pages;
    return nullptr;
}

} // namespace

Form* UserActions::KeyboardForm() const {
    if (Form* modal = m_app.ModalForm())
        return modal;
    Form* active = m_app.ActiveForm();
    return active && active->Visible() ? active : nullptr;
}

UserActions::KeyFate UserActions::KeyOnControl(Control& control, int key, ShiftState shift,
                                               bool typeLeftKey) {
    if (std::string why = WhyUnreachable(control); !why.empty()) {
        Refuse("press a key on", control, why);
        return KeyFate::Refused;
    }
    KeyFate fate = KeyFate::Taken;
    m_app.Dispatch([&] {
        if (!FocusFirst(control) || !control.ParentForm() ||
            DeliverKey(*control.ParentForm(), &control, key, shift))
            return;
        fate = KeyFate::LeftToControl;
        int typed = key;
        if (typeLeftKey)
            control.HandleKey(typed, shift);
    });
    return fate;
}

bool UserActions::PressKey(Control& control, int key, ShiftState shift) {
    return KeyOnControl(control, key, shift, true) != KeyFate::Refused;
}

bool UserActions::OfferKey(Control& control, int key, ShiftState shift) {
    return KeyOnControl(control, key, shift, false) != KeyFate::LeftToControl;
}

bool UserActions::MayPress() {
    if (m_app.MenuBarKeys().OpenMenu() || KeyboardForm())
        return true;
    m_app.Platform().Refused("press a key (no window is active)");
    return false;
}

bool UserActions::Press(int key, ShiftState shift) {
    if (!MayPress())
        return false;
    MenuKeys& menus = m_app.MenuBarKeys();
    if (menus.OpenMenu()) {
        m_app.Dispatch([&] {
            if (MenuItem* chosen = menus.Press(key, shift))
                chosen->Click();
        });
        return true;
    }
    Form& form = *KeyboardForm();
    m_app.Dispatch([&] {
        Control* control = form.ActiveControl();
        int typed = key;
        if (!DeliverKey(form, control, key, shift))
            control->HandleKey(typed, shift);
    });
    return true;
}

Edit* UserActions::FocusedEdit() const {
    Form* form = KeyboardForm();
    return form ? dynamic_cast<Edit*>(form->ActiveControl()) : nullptr;
}

bool UserActions::MayWrite() {
    Edit* edit = FocusedEdit();
    if (!edit || m_app.MenuBarKeys().OpenMenu()) {
        m_app.Platform().Refused(std::string("write (") +
                                 (edit ? "a menu is open" : "the focus is not in an edit") + ")");
        return false;
    }
    if (edit->ReadOnly())
        return Refuse("write into", *edit, "read-only");
    return true;
}

bool UserActions::Write(const std::string& text) {
    if (!MayWrite())
        return false;
    Edit* edit = FocusedEdit();
    // Each key is an event of its own, as typed: a character with a key of its own is offered as
    // that key first, as a keyboard sends it; a key that moves the focus away ends the typing.
    for (char32_t character : data::utf8::Decode(text)) {
        if (!edit->Focused())
            break;
        m_app.Dispatch([&] {
            const int key = KeyOfCharacter(character);
            const ShiftState shift{key != 0 && character >= U'A' && character <= U'Z', false, false};
            if (key == 0 || !DeliverKey(*edit->ParentForm(), edit, key, shift))
                edit->TypeKey(character);
        });
    }
    return true;
}

bool UserActions::DeliverKey(Form& form, Control* control, int key, ShiftState shift) {
    if (form.Menu()) {
        if (MenuItem* item = form.Menu()->FindShortCut(key, shift)) {
            item->Click();
            return true;
        }
        if (m_app.MenuBarKeys().Open(form, key, shift))
            return true;
    }
    int pressed = key;
    if (form.KeyPreview() && form.OnKeyDown)
        form.OnKeyDown(form, pressed, shift);
    if (pressed != 0 && control && control->OnKeyDown)
        control->OnKeyDown(*control, pressed, shift);
    if (pressed != 0 && control && control->IsOwnKey(pressed, shift))
        return false;
    if (pressed != 0 && control)
        control->HandleKey(pressed, shift);
    if (pressed != 0 && !PageKeys(form, pressed, shift))
        FormKeys(form, pressed, shift);
    return true;
}

void UserActions::FormKeys(Form& form, int key, ShiftState shift) {
    if (key == Key::Tab && !shift.Alt) {
        if (shift.Ctrl)
            NextChildWindow(form, !shift.Shift);
        else
            form.SelectNext(!shift.Shift);
    } else if (key == Key::Return || key == Key::Escape) {
        if (Button* button = FindButton(form, key == Key::Return))
            button->Click();
    }
}

void UserActions::NextChildWindow(Form& form, bool forward) {
    if (form.FormStyle() != FormStyle::MDIChild || form.IsModal())
        return;
    std::vector<Form*> windows;
    for (Form* other : Application::Instance().Forms())
        if (other->FormStyle() == FormStyle::MDIChild && other->Visible() && !other->IsReleasing())
            windows.push_back(other);
    const auto count = static_cast<std::ptrdiff_t>(windows.size());
    const auto at = std::find(windows.begin(), windows.end(), &form) - windows.begin();
    if (count > 1 && at < count)
        windows[static_cast<std::size_t>(((at + (forward ? 1 : -1)) % count + count) % count)]
            ->BringToFront();
}

bool UserActions::PageKeys(Form& form, int key, ShiftState shift) {
    const bool page =
        (key == Key::PageDown || key == Key::PageUp) && shift.Ctrl && !shift.Alt && !shift.Shift;
    PageControl* pages = page ? PagesHolding(form.ActiveControl()) : nullptr;
    if (!pages || pages->PageCount() == 0)
        return false;
    const int step = key == Key::PageUp ? -1 : 1;
    const int count = pages->PageCount();
    for (int i = 1; i < count; ++i) {
        TabSheet& next = pages->Page(((pages->ActivePageIndex() + step * i) % count + count) % count);
        if (!next.Enabled() || !next.Visible() || !next.TabVisible())
            continue;
        // The focus goes to the tabs first, as a person's choice of a tab puts it, so it never stays
        // on a page that is no longer shown.
        pages->SetFocus();
        pages->SelectPage(next);
        return true;
    }
    return true;
}

} // namespace ui
