#pragma once

#include "app/Credentials.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace ui {
class Platform;
}

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
    // Handles pending window events so that what the model changed is really painted.
    virtual void ProcessEvents() = 0;
    // Saves a PNG picture of the main window; throws std::runtime_error when it cannot.
    virtual void SaveShot(const std::filesystem::path& file) = 0;
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
