#include "ui/MenuItem.h"

#include <cctype>
#include <stdexcept>

namespace ui {

MenuItem::MenuItem(std::string name) : Control(std::move(name)) {
    SetTabStop(false);
}

void MenuItem::SetChecked(bool checked) {
    Update(m_checked, checked, Property::Checked);
}

void MenuItem::SetShortCut(const ui::ShortCut& shortCut) {
    Update(m_shortCut, shortCut, Property::ShortCut);
}

std::string MenuItem::PlainCaption() const {
    std::string plain;
    const std::string& caption = Caption();
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == '&')
            continue;
        plain += caption[i];
    }
    return plain;
}

char MenuItem::Accelerator() const {
    const std::string& caption = Caption();
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return 0;
}

MenuItem& MenuItem::Item(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range(Name() + ": no item " + std::to_string(index));
    return *m_items[static_cast<std::size_t>(index)];
}

MenuItem& MenuItem::Add(std::string name, const std::string& caption) {
    return Insert(Count(), std::move(name), caption);
}

MenuItem& MenuItem::Insert(int index, std::string name, const std::string& caption) {
    if (index < 0 || index > Count())
        throw std::out_of_range(Name() + ": cannot insert at " + std::to_string(index));
    Component& owner = Owner() ? *Owner() : *this;
    MenuItem& item = owner.Create<MenuItem>(std::move(name));
    item.SetCaption(caption);
    item.m_parentItem = this;
    m_items.insert(m_items.begin() + index, &item);
    Notify(Property::Items);
    return item;
}

MenuItem* MenuItem::FindShortCut(int key, ShiftState shift) {
    for (MenuItem* item : m_items) {
        if (!item->Visible() || !item->Enabled())
            continue;
        if (item->m_shortCut.Matches(key, shift))
            return item;
        if (MenuItem* found = item->FindShortCut(key, shift))
            return found;
    }
    return nullptr;
}

void MenuItem::Click() {
    if (Enabled())
        Control::Click();
}

} // namespace ui
