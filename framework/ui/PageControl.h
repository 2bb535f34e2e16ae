#pragma once

#include "ui/Container.h"

#include <vector>

namespace ui {

class TabSheet;

// Pages with tabs. Setting the active page from code runs no event; a user choosing a tab runs
// OnChange after the page changed, and a disabled or hidden tab cannot be chosen.
class PageControl : public Container {
public:
    explicit PageControl(std::string name = {});

    int PageCount() const { return static_cast<int>(Pages().size()); }
    TabSheet& Page(int index) const;
    TabSheet* ActivePage() const { return m_activePage; }
    void SetActivePage(TabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);

    // The user chose the tab; false when a person could not have (disabled or hidden tab).
    bool SelectPage(TabSheet& page);

    bool AcceptsFocus() const override { return true; }

    NotifyEvent OnChange;

protected:
    void ControlAdded(Control& control) override;
    void ControlRemoving(Control& control) override;

private:
    std::vector<TabSheet*> Pages() const;

    TabSheet* m_activePage = nullptr;
};

} // namespace ui
