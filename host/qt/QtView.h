#pragma once

#include "app/HostView.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"

#include <QApplication>
#include <QPixmap>
#include <functional>
#include <string>

namespace host {

// The desktop view: the Qt application object, the main window and the Qt platform.
class QtView : public HostView {
public:
    QtView(int& argc, char** argv);

    ui::Platform& Platform() override { return m_platform; }
    void ShowMainWindow() override;
    void ProcessEvents() override;
    void SaveShot(const std::filesystem::path& file) override;
    int Exec() override;

    void AddScreen(const std::string& code, const std::string& caption, std::function<void()> open) override;
    std::optional<Credentials> AskSignIn(const std::string& operatorCode, const std::string& message) override;
    void Later(std::function<void()> task) override;
    void Quit() override { QApplication::quit(); }
    MainWindow& Window() { return m_window; }
    QtPlatform& Qt() { return m_platform; }

private:
    void AddOpenDialogs(QPixmap& picture) const;

    QApplication m_app;
    MainWindow m_window;
    QtPlatform m_platform;
};

} // namespace host
