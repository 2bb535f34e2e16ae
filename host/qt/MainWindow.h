#pragma once

#include <QMainWindow>
#include <functional>
#include <string>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace host {

// The host's main window: the screens of the loaded modules in a menu, the forms' windows in an
// MDI area, the active form's menu merged into the menu bar, and a busy indicator in the status
// bar while a remote call runs.
class MainWindow : public QMainWindow {
public:
    MainWindow();

    QMdiArea& Area() const { return *m_area; }
    void AddScreen(const std::string& code, const std::string& caption, std::function<void()> open);
    void SetBusy(bool busy);
    bool IsBusy() const;

    // A person activated a form's sub-window.
    std::function<void(QMdiSubWindow*)> OnSubWindowActivated;

private:
    QMdiArea* m_area;
    QMenu* m_screens;
    QLabel* m_busy;
};

} // namespace host
