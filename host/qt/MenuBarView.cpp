#include "qt/MenuBarView.h"

#include "qt/GlyphIcons.h"
#include "ui/Application.h"
#include "ui/MainMenu.h"
#include "ui/UserActions.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace host {

QString MenuText(const ui::MenuItem& item) {
    QString text = QString::fromStdString(item.Caption());
    if (!item.ShortCut().IsEmpty())
        text += '\t' + QString::fromStdString(item.ShortCut().ToText());
    return text;
}

MenuBarView::MenuBarView(ui::MainMenu& menu, QMenuBar& bar, ui::Form& form)
    : m_menu(menu), m_bar(bar), m_form(form) {
    Build();
}

MenuBarView::~MenuBarView() {
    Clear();
}

void MenuBarView::SetShown(bool shown) {
    m_shown = shown;
    for (const auto& menu : m_menus)
        menu->menuAction()->setVisible(shown && !m_detached);
    for (const Entry& entry : m_entries)
        if (entry.Top)
            entry.Action->setVisible(shown && entry.Visible);
}

void MenuBarView::Detach() {
    m_detached = true;
    m_entries.clear();
    SetShown(false);
}

QAction* MenuBarView::ActionOf(const ui::MenuItem& item) const {
    for (const Entry& entry : m_entries)
        if (entry.Item == &item)
            return entry.Action;
    return nullptr;
}

void MenuBarView::Build() {
    for (ui::MenuItem* top : m_menu.Items().Items()) {
        auto menu = std::make_unique<QMenu>(QString::fromStdString(top->Caption()));
        AddItems(*menu, *top);
        // The model knows the open menu, so a key or a click while it is open is judged the same
        // way on every platform.
        QObject::connect(menu.get(), &QMenu::aboutToShow, menu.get(), [this, top] {
            if (!m_detached)
                ui::Application::Instance().MenuBarKeys().Opened(m_form, *top);
        });
        QObject::connect(menu.get(), &QMenu::aboutToHide, menu.get(), [this] {
            if (!m_detached)
                ui::Application::Instance().MenuBarKeys().Close();
        });
        m_bar.addMenu(menu.get());
        Watch(*top, *menu->menuAction());
        m_menus.push_back(std::move(menu));
    }
    SetShown(m_shown);
}

void MenuBarView::Clear() {
    if (!m_detached)
        for (const Entry& entry : m_entries)
            entry.Item->Unsubscribe(entry.Subscription);
    m_entries.clear();
    for (const auto& menu : m_menus)
        m_bar.removeAction(menu->menuAction());
    m_menus.clear();
}

void MenuBarView::AddItems(QMenu& menu, ui::MenuItem& parent) {
    for (ui::MenuItem* item : parent.Items()) {
        if (item->IsSeparator()) {
            Watch(*item, *menu.addSeparator());
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item->Caption())); // owned by `menu`
            AddItems(*sub, *item);
            Watch(*item, *sub->menuAction());
            continue;
        }
        QAction* action = menu.addAction(MenuText(*item)); // owned by `menu`
        QObject::connect(action, &QAction::triggered, &menu, [this, item] {
            if (m_detached)
                return;
            ui::UserActions(ui::Application::Instance()).ClickMenu(*item);
            // Qt toggles a checkable entry by itself; the model's mark is the one to show.
            for (Entry& entry : m_entries)
                if (!m_detached && entry.Item == item)
                    Update(entry);
        });
        Watch(*item, *action);
    }
}

void MenuBarView::Watch(ui::MenuItem& item, QAction& action) {
    int id = item.Subscribe([this, &item](ui::Control&, ui::Property property) {
        if (m_detached)
            return;
        if (property == ui::Property::Items) {
            Clear();
            Build();
            return;
        }
        for (Entry& entry : m_entries)
            if (entry.Item == &item)
                Update(entry);
    });
    m_entries.push_back({&item, &action, id});
    Update(m_entries.back());
}

void MenuBarView::Update(Entry& entry) {
    const ui::MenuItem& item = *entry.Item;
    QAction& action = *entry.Action;
    if (!action.isSeparator() && !action.menu()) {
        action.setText(MenuText(item));
        action.setIcon(GlyphIcon(item.Glyph(), *QApplication::style()));
    } else if (action.menu())
        action.menu()->setTitle(QString::fromStdString(item.Caption()));
    action.setEnabled(item.Enabled());
    entry.Top = item.ParentItem() == &m_menu.Items();
    entry.Visible = item.Visible();
    action.setVisible(entry.Visible && (!entry.Top || m_shown));
    action.setCheckable(item.Checked());
    action.setChecked(item.Checked());
}

} // namespace host
