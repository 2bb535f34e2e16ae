#pragma once

#include "ui/Keys.h"

#include <string>

class QPoint;
class QWidget;
class QWindow;

namespace ui {
class Control;
class DBGrid;
class MenuItem;
} // namespace ui

namespace host {

class MainWindow;
class QtPlatform;

// Real keyboard and mouse input, delivered through Qt's window-system path as the desktop
// delivers it: keys go to the window with the keyboard (an open menu first) and reach its focus
// widget, its shortcuts and its menu accelerators; clicks land on the widgets' own pixels. What
// happens then is the widgets' own handling, which brings it to the model.
class QtInput {
public:
    QtInput(QtPlatform& platform, MainWindow& main) : m_platform(platform), m_main(main) {}

    void PressKey(int key, ui::ShiftState shift);
    void Write(const std::string& text);
    // A button's face, a check box's or radio button's box, an edit right of its text, a tab
    // sheet's tab, a menu item's entry (its menu opened from the menu bar first).
    void Click(ui::Control& control);
    void ClickCell(ui::DBGrid& grid, int displayRow, int columnIndex);
    void ClickTitle(ui::DBGrid& grid, int columnIndex);

private:
    QWidget& WidgetOf(const ui::Control& control) const;
    QWindow& KeyboardWindow() const;
    void ClickMenuEntry(const ui::MenuItem& item);
    // A left click at a point of the widget, in its own coordinates.
    static void ClickAt(QWidget& widget, const QPoint& point);

    QtPlatform& m_platform;
    MainWindow& m_main;
};

} // namespace host
