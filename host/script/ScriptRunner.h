#pragma once

#include "script/ScriptCommand.h"
#include "script/ScriptInspector.h"
#include "script/ScriptNames.h"
#include "script/ScriptPlatform.h"
#include "script/ScriptPrintService.h"
#include "script/Transcript.h"
#include "ui/UserActions.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace ui {
class Application;
}

namespace host {

class HostView;

// Runs a script against the model through the framework's user actions and the script's answer
// queue, writing the transcript. A modal dialog opened by a command runs the following lines in
// its own loop until it closes. The application's platform is the script's own during Run and
// is given back afterwards.
class ScriptRunner {
public:
    enum ExitStatus { Passed = 0, ExpectationFailed = 1, ScriptFault = 2 };
    using ScreenOpener = std::function<void(const std::string& code)>;
    // Signs an operator in: "" when done, else the operator's message.
    using SignIn = std::function<std::string(const std::string& operatorCode, const std::string& password)>;

    // `view` is the desktop view, or nullptr on the headless platform.
    ScriptRunner(ui::Application& app, std::ostream& out, HostView* view = nullptr);

    // How `open CODE` opens a screen (the module loader's open by code).
    void SetScreenOpener(ScreenOpener opener) { m_opener = std::move(opener); }
    // How `expect var NAME` reads a module variable (the module loader's exported variables).
    void SetVariableReader(VariableReader reader) { m_variables = std::move(reader); }
    // How `login OPERATOR PASSWORD` signs in (the host's sign-in).
    void SetSignIn(SignIn signIn) { m_signIn = std::move(signIn); }
    int Run(const std::string& scriptText);
    // Where `pdf FILE` answers go: the print service installed while the script runs.
    ScriptPrintService& Printer() { return m_printer; }
    int RunFile(const std::filesystem::path& file);

private:
    int RunCommands();
    // Runs the next line; false when the script has none left.
    bool RunNextLine();
    void Execute(const ScriptCommand& command);
    void Act(const ScriptCommand& command);
    // press, write, mouse and mousetitle: real input on the desktop, the same actions headless.
    void Input(const ScriptCommand& command);
    void Mouse(const ScriptCommand& command, const ScriptNames& names);
    void Answer(const ScriptCommand& command);
    void Expect(const ScriptCommand& command);
    void Dump(const ScriptCommand& command);
    void Shot(const ScriptCommand& command);
    void Today(const ScriptCommand& command);
    void Open(const ScriptCommand& command);
    void Login(const ScriptCommand& command);
    void Pause();

    ui::Application& m_app;
    HostView* m_view;
    Transcript m_transcript;
    ScriptPlatform m_platform;
    ScriptPrintService m_printer;
    ui::UserActions m_actions;
    ScreenOpener m_opener;
    SignIn m_signIn;
    VariableReader m_variables;
    std::vector<ScriptCommand> m_commands;
    std::size_t m_next = 0;
    int m_currentLine = 0;
    bool m_failed = false;
};

} // namespace host
