#pragma once

#include <QString>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace ui {
class MainMenu;
class MenuItem;
} // namespace ui

namespace host {

// A form's main menu merged into the main window's menu bar: its entries are shown while the
// form is active, kept in step with the items, and a chosen entry is the model's menu click.
// Shortcuts are shown in the entries but handled by the model, which sees every key first.
class MenuBarView {
public:
    MenuBarView(ui::MainMenu& menu, QMenuBar& bar);
    ~MenuBarView();
    MenuBarView(const MenuBarView&) = delete;
    MenuBarView& operator=(const MenuBarView&) = delete;

    void SetShown(bool shown);
    void Detach();

private:
    // What showing and hiding need is kept here: a form destroys its menu before the platform
    // hears that the form is gone, so the items may be gone when the bar hides their entries.
    struct Entry {
        ui::MenuItem* Item;
        QAction* Action;
        int Subscription;
        bool Top = false;
        bool Visible = true;
    };

    void Build();
    void Clear();
    void AddItems(QMenu& menu, ui::MenuItem& parent);
    void Watch(ui::MenuItem& item, QAction& action);
    void Update(Entry& entry);

    ui::MainMenu& m_menu;
    QMenuBar& m_bar;
    std::vector<std::unique_ptr<QMenu>> m_menus;
    std::vector<Entry> m_entries;
    bool m_shown = false;
    bool m_detached = false;
};

// The entry text of an item: its caption with the '&' marks, and its shortcut after a tab.
QString MenuText(const ui::MenuItem& item);

} // namespace host
