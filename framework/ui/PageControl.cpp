#include "ui/PageControl.h"

#include "ui/TabSheet.h"

#include <stdexcept>

namespace ui {

PageControl::PageControl(std::string name) : Container(std::move(name)) {
    SetTabStop(true);
}

std::vector<TabSheet*> PageControl::Pages() const {
    std::vector<TabSheet*> pages;
    for (Control* child : Controls()) {
        if (auto* page = dynamic_cast<TabSheet*>(child))
            pages.push_back(page);
    }
    return pages;
}

TabSheet& PageControl::Page(int index) const {
    auto pages = Pages();
    if (index < 0 || index >= static_cast<int>(pages.size()))
        throw std::out_of_range(Name() + ": no page " + std::to_string(index));
    return *pages[static_cast<std::size_t>(index)];
}

void PageControl::SetActivePage(TabSheet* page) {
    if (page == m_activePage)
        return;
    if (page && page->Parent() != this)
        throw std::invalid_argument(Name() + ": " + page->Name() + " is not one of its pages");
    m_activePage = page;
    Notify(Property::ActivePage);
}

int PageControl::ActivePageIndex() const {
    return m_activePage ? m_activePage->PageIndex() : -1;
}

void PageControl::SetActivePageIndex(int index) {
    SetActivePage(index < 0 ? nullptr : &Page(index));
}

bool PageControl::SelectPage(TabSheet& page) {
    if (page.Parent() != this || !page.Enabled() || !page.Visible() || !page.TabVisible())
        return false;
    if (&page == m_activePage)
        return true;
    SetActivePage(&page);
    if (OnChange)
        OnChange(*this);
    return true;
}

void PageControl::ControlAdded(Control& control) {
    if (!m_activePage)
        if (auto* page = dynamic_cast<TabSheet*>(&control))
            SetActivePage(page);
}

void PageControl::ControlRemoving(Control& control) {
    if (&control == m_activePage) {
        m_activePage = nullptr;
        Notify(Property::ActivePage);
    }
    Container::ControlRemoving(control);
}

} // namespace ui
