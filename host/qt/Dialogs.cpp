#include "qt/Dialogs.h"

#include "qt/MenuBarView.h"
#include "ui/PopupMenu.h"

#include <QMenu>
#include <QMessageBox>
#include <map>

namespace host {

namespace {

void AddPopupItems(QMenu& menu, ui::MenuItem& parent, std::map<QAction*, ui::MenuItem*>& items) {
    for (ui::MenuItem* item : parent.Items()) {
        if (!item->Visible())
            continue;
        if (item->IsSeparator()) {
            menu.addSeparator();
        } else if (item->Count() > 0) {
            AddPopupItems(*menu.addMenu(QString::fromStdString(item->Caption())), *item, items);
        } else {
            QAction* action = menu.addAction(MenuText(*item)); // owned by the menu
            action->setEnabled(item->Enabled());
            action->setCheckable(item->Checked());
            action->setChecked(item->Checked());
            items[action] = item;
        }
    }
}

} // namespace

void ShowMessage(QWidget* parent, ui::MessageKind kind, const std::string& text) {
    bool error = kind == ui::MessageKind::Error;
    QMessageBox box(error ? QMessageBox::Critical : QMessageBox::Information,
                    error ? QStringLiteral("Erro") : QStringLiteral("Informação"),
                    QString::fromStdString(text), QMessageBox::Ok, parent);
    box.exec();
}

ui::MenuItem* ShowPopup(ui::PopupMenu& menu, ui::Point screen) {
    QMenu popup;
    std::map<QAction*, ui::MenuItem*> items;
    AddPopupItems(popup, menu.Items(), items);
    QAction* chosen = popup.exec(QPoint(screen.X, screen.Y));
    auto it = items.find(chosen);
    return it == items.end() ? nullptr : it->second;
}

} // namespace host
