#include "qt/PageControlView.h"

#include "ui/PageControl.h"
#include "ui/TabSheet.h"

#include <QSignalBlocker>
#include <QTabWidget>

namespace host {

PageControlView::PageControlView(ui::PageControl& pages, QTabWidget& widget)
    : ContainerView(pages, widget), m_pages(pages), m_tabs(widget) {
    QObject::connect(&widget, &QTabWidget::currentChanged, &Context(),
                     [this](int index) { TabChosen(index); });
}

void PageControlView::AddPage(ui::TabSheet& page, QWidget& pageWidget) {
    m_pageWidgets.emplace_back(&page, &pageWidget);
    QSignalBlocker block(m_tabs);
    m_tabs.insertTab(page.PageIndex(), &pageWidget, QString::fromStdString(page.Caption()));
    UpdateTab(page, pageWidget);
    ShowActivePage();
}

void PageControlView::RemovePage(QWidget& pageWidget) {
    std::erase_if(m_pageWidgets, [&](const auto& entry) { return entry.second == &pageWidget; });
    QSignalBlocker block(m_tabs);
    int index = m_tabs.indexOf(&pageWidget);
    if (index >= 0)
        m_tabs.removeTab(index);
}

void PageControlView::UpdateTab(ui::TabSheet& page, QWidget& pageWidget) {
    int index = m_tabs.indexOf(&pageWidget);
    if (index < 0)
        return;
    QSignalBlocker block(m_tabs);
    m_tabs.setTabText(index, QString::fromStdString(page.Caption()));
    m_tabs.setTabEnabled(index, page.Enabled());
    m_tabs.setTabVisible(index, page.Visible() && page.TabVisible());
    m_tabs.setTabToolTip(index, QString::fromStdString(page.Hint()));
}

void PageControlView::ShowActivePage() {
    QWidget* active = WidgetOf(m_pages.ActivePage());
    int index = active ? m_tabs.indexOf(active) : -1;
    if (index < 0 || index == m_tabs.currentIndex())
        return;
    QSignalBlocker block(m_tabs);
    m_tabs.setCurrentIndex(index);
}

QWidget* PageControlView::WidgetOf(const ui::TabSheet* page) const {
    for (auto [sheet, widget] : m_pageWidgets) {
        if (sheet == page)
            return widget;
    }
    return nullptr;
}

void PageControlView::Apply(ui::Property property) {
    if (property == ui::Property::ActivePage)
        ShowActivePage();
    else
        ContainerView::Apply(property);
}

void PageControlView::TabChosen(int index) {
    QWidget* chosen = m_tabs.widget(index);
    ShowActivePage(); // until the model agrees, the model's page stays shown
    if (!chosen || IsDetached())
        return;
    for (auto [page, widget] : m_pageWidgets) {
        if (widget == chosen) {
            Actions().SelectTab(m_pages, *page);
            break;
        }
    }
    if (!IsDetached())
        ShowActivePage();
}

TabSheetView::TabSheetView(ui::TabSheet& page, QWidget& widget, PageControlView& pages)
    : ContainerView(page, widget), m_page(page), m_pagesView(pages) {
    pages.AddPage(page, widget);
}

TabSheetView::~TabSheetView() {
    m_pagesView.RemovePage(Widget());
}

void TabSheetView::Apply(ui::Property property) {
    switch (property) {
    case ui::Property::Bounds:
        return; // the tab widget places its pages
    case ui::Property::Caption:
    case ui::Property::Enabled:
    case ui::Property::Visible:
    case ui::Property::TabVisible:
    case ui::Property::Hint:
        if (!IsDetached())
            m_pagesView.UpdateTab(m_page, Widget());
        return;
    default:
        ContainerView::Apply(property);
    }
}

} // namespace host
