#pragma once

#include <QString>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace ui {
class Form;
class MainMenu;
class MenuItem;
} // namespace ui

namespace host {

// A form's main menu merged into the main window's menu bar: its entries are shown while the
// form is active, kept in step with the items, and a chosen entry is the model's menu click.
// Shortcuts are shown in the entries but handled by the model, which sees every key first.
class MenuBarView {
public:
    // `form` is the form the menu belongs to: its open menu is the model's too (ui::MenuKeys).
    MenuBarView(ui::MainMenu& menu, QMenuBar& bar, ui::Form& form);
    ~MenuBarView();
    MenuBarView(const MenuBarView&) = delete;
    MenuBarView& operator=(const MenuBarView&) = delete;

    void SetShown(bool shown);
    void Detach();
    // The entry of an item (a menu's own entry for a top item), or nullptr.
    QAction* ActionOf(const ui::MenuItem& item) const;

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
    ui::Form& m_form;
    std::vector<std::unique_ptr<QMenu>> m_menus;
    std::vector<Entry> m_entries;
    bool m_shown = false;
    bool m_detached = false;
};

// The entry text of an item: its caption with the '&' marks, and its shortcut after a tab.
QString MenuText(const ui::MenuItem& item);

} // namespace host
