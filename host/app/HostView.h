#pragma once

#include "app/Credentials.h"
#include "ui/Keys.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace ui {
class Control;
class DBGrid;
class Platform;
} // namespace ui

namespace host {

// A desktop view of the model: the platform it answers for, and the few things the host needs
// besides (the event loop, painting between script lines, pictures of the main window).
// The Qt view implements it; everything else in the host only knows this interface.
class HostView {
public:
    virtual ~HostView() = default;

    // The platform that shows real dialogs. A script run puts the script's own platform in
    // front of it, so while a script runs this platform only sees the notifications and painting.
    virtual ui::Platform& Platform() = 0;
    // Offers a screen of a loaded module in the main window's screens menu; `open` runs when
    // the operator chooses it.
    virtual void AddScreen(const std::string& code, const std::string& caption,
                           std::function<void()> open) = 0;
    // Shows the main window (once, before the first screen opens).
    virtual void ShowMainWindow() = 0;
    // The branch the operator works in, for the main window's title.
    virtual void SetBranch(const std::string& code, const std::string& name) = 0;
    // Handles pending window events so that what the model changed is really painted.
    virtual void ProcessEvents() = 0;
    // Saves a PNG picture of the main window; throws std::runtime_error when it cannot.
    virtual void SaveShot(const std::filesystem::path& file) = 0;

    // Real input events, as a person's keyboard and mouse send them: keys to the window that has
    // the keyboard, clicks to a control's widget (a tab sheet's tab, a menu item's entry in the
    // menu bar), a grid's cell or title. The widgets' own handling takes them to the model.
    virtual void PressKey(int key, ui::ShiftState shift) = 0;
    virtual void Write(const std::string& text) = 0;
    virtual void Click(ui::Control& control) = 0;
    virtual void ClickCell(ui::DBGrid& grid, int displayRow, int columnIndex) = 0;
    virtual void ClickTitle(ui::DBGrid& grid, int columnIndex) = 0;
    // The interactive event loop; returns the process exit status when the main window closes.
    virtual int Exec() = 0;
    // Asks for a sign-in ("Operador", "Senha") with `message` shown (why it is asked again, or why
    // the last try was refused); nothing when the operator quits instead.
    virtual std::optional<Credentials> AskSignIn(const std::string& operatorCode, const std::string& message) = 0;
    // Runs `task` once the event being handled now has been handled.
    virtual void Later(std::function<void()> task) = 0;
    // Ends the interactive event loop (Exec returns).
    virtual void Quit() = 0;
};

} // namespace host
