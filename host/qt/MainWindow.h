#pragma once

#include <QMainWindow>
#include <functional>
#include <string>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace host {

// The host's main window, titled after the application and the operator's branch: the screens of
// the loaded modules in a menu, the forms' windows in an MDI area, the active form's menu merged
// into the menu bar, and a status bar with the active screen's message and summary and a busy
// indicator while a remote call runs.
class MainWindow : public QMainWindow {
public:
    MainWindow();

    QMdiArea& Area() const { return *m_area; }
    void AddScreen(const std::string& code, const std::string& caption, std::function<void()> open);
    void SetBranch(const std::string& code, const std::string& name);
    void SetBusy(bool busy);
    bool IsBusy() const;
    // What the active screen tells: the last thing that happened, and a summary of its state.
    void ShowStatus(const std::string& message, const std::string& summary);
    QString StatusMessage() const;
    QString StatusSummary() const;
    // Grows the window, as far as the desktop allows, so that a child window of this size is
    // shown whole inside the MDI area.
    void MakeRoomFor(const QSize& childWindow);

    // A person activated a form's sub-window.
    std::function<void(QMdiSubWindow*)> OnSubWindowActivated;

private:
    QMdiArea* m_area;
    QMenu* m_screens;
    QLabel* m_message;
    QLabel* m_summary;
    QLabel* m_busy;
};

} // namespace host
