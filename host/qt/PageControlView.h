#pragma once

#include "qt/ContainerView.h"

#include <utility>
#include <vector>

class QTabWidget;

namespace ui {
class PageControl;
class TabSheet;
} // namespace ui

namespace host {

// A page control as a tab widget. A tab a person chooses goes to the model, which may refuse
// it; the tab widget always shows the model's active page.
class PageControlView : public ContainerView {
public:
    PageControlView(ui::PageControl& pages, QTabWidget& widget);

    // Called by a page's view when the page's widget is made.
    void AddPage(ui::TabSheet& page, QWidget& pageWidget);
    void RemovePage(QWidget& pageWidget);
    void UpdateTab(ui::TabSheet& page, QWidget& pageWidget);
    void ShowActivePage();

protected:
    void Apply(ui::Property property) override;

private:
    void TabChosen(int index);
    QWidget* WidgetOf(const ui::TabSheet* page) const;

    ui::PageControl& m_pages;
    std::vector<std::pair<ui::TabSheet*, QWidget*>> m_pageWidgets;
    QTabWidget& m_tabs;
    bool m_showing = false;
};

// A page: its widget is one page of the tab widget, which places and shows it.
class TabSheetView : public ContainerView {
public:
    TabSheetView(ui::TabSheet& page, QWidget& widget, PageControlView& pages);
    ~TabSheetView() override;

protected:
    void Apply(ui::Property property) override;

private:
    ui::TabSheet& m_page;
    PageControlView& m_pagesView;
};

} // namespace host
