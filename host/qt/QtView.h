#pragma once

#include "app/HostView.h"
#include "qt/MainWindow.h"
#include "qt/QtInput.h"
#include "qt/QtPlatform.h"

#include <QApplication>
#include <QPixmap>
#include <functional>
#include <string>

namespace host {

// The desktop view: the Qt application object, the main window and the Qt platform.
class QtView : public HostView {
public:
    // `locale` is the host's ("pt-BR"): Qt's own dialogs speak it.
    QtView(int& argc, char** argv, const std::string& locale);

    ui::Platform& Platform() override { return m_platform; }
    void ShowMainWindow() override;
    void SetBranch(const std::string& code, const std::string& name) override {
        m_window.SetBranch(code, name);
    }
    void ProcessEvents() override;
    void SaveShot(const std::filesystem::path& file) override;
    int Exec() override;
    void PressKey(int key, ui::ShiftState shift) override { m_input.PressKey(key, shift); }
    void Write(const std::string& text) override { m_input.Write(text); }
    void Click(ui::Control& control) override { m_input.Click(control); }
    void ClickCell(ui::DBGrid& grid, int displayRow, int columnIndex) override {
        m_input.ClickCell(grid, displayRow, columnIndex);
    }
    void ClickTitle(ui::DBGrid& grid, int columnIndex) override { m_input.ClickTitle(grid, columnIndex); }

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
    QtInput m_input{m_platform, m_window};
};

} // namespace host
