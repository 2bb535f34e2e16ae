#include "qt/QtInput.h"

#include "qt/FormView.h"
#include "qt/MainWindow.h"
#include "qt/QtKeys.h"
#include "qt/QtPlatform.h"
#include "ui/Application.h"
#include "ui/DBGrid.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PageControl.h"
#include "ui/TabSheet.h"
#include "ui/UserActions.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QWindow>
#include <stdexcept>

namespace host {

namespace {

void Stroke(QWindow& window, const QtKeyStroke& stroke) {
    QTest::sendKeyEvent(QTest::Click, &window, stroke.Key, stroke.Text, stroke.Modifiers);
}

// Where a person clicks a control so that the click counts: the box of a check box or radio
// button (its label may be far narrower than its bounds), right of an edit's text so the cursor
// goes to its end, and the middle of anything else.
QPoint ClickPoint(QWidget& widget) {
    const int middle = widget.height() / 2;
    if (widget.inherits("QCheckBox") || widget.inherits("QRadioButton"))
        return {8, middle};
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        const int textEnd = line->fontMetrics().horizontalAdvance(line->displayText()) + 10;
        return {std::min(textEnd, std::max(widget.width() - 24, 4)), middle};
    }
    return widget.rect().center();
}

} // namespace

void QtInput::PressKey(int key, ui::ShiftState shift) {
    Stroke(KeyboardWindow(), ToQtKeyStroke(key, shift));
}

void QtInput::Write(const std::string& text) {
    for (QChar character : QString::fromStdString(text))
        Stroke(KeyboardWindow(), TypedStroke(character));
}

void QtInput::Click(ui::Control& control) {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        // A click while a menu is open only closes the menu.
        popup->close();
        return;
    }
    if (auto* item = dynamic_cast<ui::MenuItem*>(&control))
        return ClickMenuEntry(*item);
    if (auto* page = dynamic_cast<ui::TabSheet*>(&control)) {
        auto& tabs = dynamic_cast<QTabWidget&>(WidgetOf(*page->PageControl()));
        QTabBar& bar = *tabs.tabBar();
        return ClickAt(bar, bar.tabRect(tabs.indexOf(&WidgetOf(*page))).center());
    }
    QWidget& widget = WidgetOf(control);
    ClickAt(widget, ClickPoint(widget));
}

void QtInput::ClickCell(ui::DBGrid& grid, int displayRow, int columnIndex) {
    auto& table = dynamic_cast<QTableView&>(WidgetOf(grid));
    const QModelIndex index = table.model()->index(displayRow, columnIndex);
    table.scrollTo(index);
    ClickAt(*table.viewport(), table.visualRect(index).center());
}

void QtInput::ClickTitle(ui::DBGrid& grid, int columnIndex) {
    auto& table = dynamic_cast<QTableView&>(WidgetOf(grid));
    QHeaderView& header = *table.horizontalHeader();
    const int x = header.sectionViewportPosition(columnIndex) + header.sectionSize(columnIndex) / 2;
    ClickAt(*header.viewport(), QPoint(x, header.height() / 2));
}

QWidget& QtInput::WidgetOf(const ui::Control& control) const {
    const ui::Form* form = control.ParentForm();
    FormView* view = form ? m_platform.ViewOf(*form) : nullptr;
    QWidget* widget = view ? view->WidgetOf(control) : nullptr;
    if (!widget)
        throw std::runtime_error(control.Name() + " has no widget on the desktop");
    return *widget;
}

QWindow& QtInput::KeyboardWindow() const {
    QWidget* popup = QApplication::activePopupWidget();
    QWindow* window = popup ? popup->windowHandle() : QGuiApplication::focusWindow();
    // A desktop without a window manager may activate no window: the keys then go to the window
    // of the form the model has the keyboard in, as they would with one.
    const ui::Form* form = window ? nullptr : ui::UserActions(ui::Application::Instance()).KeyboardForm();
    if (FormView* view = form ? m_platform.ViewOf(*form) : nullptr)
        window = view->Window().window()->windowHandle();
    if (!window)
        window = m_main.windowHandle();
    if (!window)
        throw std::runtime_error("no window takes the keyboard");
    return *window;
}

void QtInput::ClickMenuEntry(const ui::MenuItem& item) {
    const ui::MenuItem* top = &item;
    while (top->ParentItem() && top->ParentItem()->ParentItem())
        top = top->ParentItem();
    const ui::Form* form = item.ParentForm();
    FormView* view = form ? m_platform.ViewOf(*form) : nullptr;
    MenuBarView* menu = view ? view->Menu() : nullptr;
    QAction* title = menu ? menu->ActionOf(*top) : nullptr;
    QAction* entry = menu ? menu->ActionOf(item) : nullptr;
    if (!title || !entry || !title->menu())
        throw std::runtime_error(item.Name() + " has no entry in the menu bar");
    QMenuBar& bar = *m_main.menuBar();
    ClickAt(bar, bar.actionGeometry(title).center());
    if (entry != title)
        ClickAt(*title->menu(), title->menu()->actionGeometry(entry).center());
}

void QtInput::ClickAt(QWidget& widget, const QPoint& point) {
    QWidget& top = *widget.window();
    if (!top.windowHandle())
        throw std::runtime_error(widget.objectName().toStdString() + " is in no shown window");
    QTest::mouseClick(top.windowHandle(), Qt::LeftButton, {}, widget.mapTo(&top, point));
}

} // namespace host
