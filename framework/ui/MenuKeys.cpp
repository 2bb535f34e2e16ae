#include "ui/MenuKeys.h"

#include "ui/Form.h"
#include "ui/MainMenu.h"

#include <algorithm>
#include <iterator>

namespace ui {

namespace {

bool Reachable(const MenuItem* item) {
    return item->Visible() && item->Enabled() && !item->IsSeparator();
}

char KeyLetter(int key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') ? static_cast<char>(key) : 0;
}

} // namespace

bool MenuKeys::Open(Form& form, int key, ShiftState shift) {
    const char letter = KeyLetter(key);
    if (!shift.Alt || shift.Ctrl || letter == 0 || !form.Menu())
        return false;
    m_form = &form;
    for (MenuItem* menu : Menus()) {
        if (menu->Accelerator() == letter) {
            Show(*menu);
            return true;
        }
    }
    m_form = nullptr;
    return false;
}

MenuItem* MenuKeys::Press(int key, ShiftState shift) {
    if (!m_open)
        return nullptr;
    if (key == Key::Escape) {
        Close();
    } else if (key == Key::Up || key == Key::Down) {
        m_highlighted = Step(Entries(), m_highlighted, key == Key::Down ? 1 : -1);
    } else if (key == Key::Left || key == Key::Right) {
        if (MenuItem* next = Step(Menus(), m_open, key == Key::Right ? 1 : -1))
            Show(*next);
    } else if (key == Key::Return || (KeyLetter(key) != 0 && !shift.Ctrl)) {
        MenuItem* chosen = m_highlighted;
        if (key != Key::Return) {
            const auto entries = Entries();
            auto it = std::find_if(entries.begin(), entries.end(),
                                   [&](MenuItem* item) { return item->Accelerator() == KeyLetter(key); });
            chosen = it == entries.end() ? nullptr : *it;
        }
        if (chosen && chosen->Count() > 0) {
            Show(*chosen);
        } else if (chosen) {
            Close();
            return chosen;
        }
    }
    return nullptr;
}

void MenuKeys::Close() {
    m_form = nullptr;
    m_open = nullptr;
    m_highlighted = nullptr;
}

void MenuKeys::Opened(Form& form, MenuItem& menu) {
    m_form = &form;
    Show(menu);
}

void MenuKeys::Forget(const Form& form) {
    if (m_form == &form)
        Close();
}

void MenuKeys::Show(MenuItem& menu) {
    m_open = &menu;
    const auto entries = Entries();
    m_highlighted = entries.empty() ? nullptr : entries.front();
}

std::vector<MenuItem*> MenuKeys::Entries() const {
    std::vector<MenuItem*> entries;
    if (m_open)
        std::copy_if(m_open->Items().begin(), m_open->Items().end(), std::back_inserter(entries), Reachable);
    return entries;
}

std::vector<MenuItem*> MenuKeys::Menus() const {
    std::vector<MenuItem*> menus;
    if (m_form && m_form->Menu()) {
        const auto& top = m_form->Menu()->Items().Items();
        std::copy_if(top.begin(), top.end(), std::back_inserter(menus), Reachable);
    }
    return menus;
}

MenuItem* MenuKeys::Step(const std::vector<MenuItem*>& items, MenuItem* from, int step) const {
    if (items.empty())
        return nullptr;
    const auto count = static_cast<std::ptrdiff_t>(items.size());
    const auto at = std::find(items.begin(), items.end(), from) - items.begin();
    const std::ptrdiff_t start = at == count ? (step > 0 ? -1 : count) : at;
    return items[static_cast<std::size_t>(((start + step) % count + count) % count)];
}

} // namespace ui
