#include "script/ScriptRunner.h"

#include "RemoteCallLog.h"
#include "app/HostView.h"
#include "script/ScriptError.h"
#include "script/ScriptParser.h"
#include "data/Clock.h"
#include "data/DateTime.h"
#include "ui/Application.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace host {

namespace {

// Gives the application its previous platform back however the run ends.
class PlatformSwap {
public:
    PlatformSwap(ui::Application& app, ui::Platform& platform)
        : m_app(app), m_previous(app.HasPlatform() ? &app.Platform() : nullptr) {
        m_app.SetPlatform(platform);
    }
    ~PlatformSwap() {
        if (m_previous)
            m_app.SetPlatform(*m_previous);
    }
    PlatformSwap(const PlatformSwap&) = delete;
    PlatformSwap& operator=(const PlatformSwap&) = delete;

private:
    ui::Application& m_app;
    ui::Platform* m_previous;
};

} // namespace

ScriptRunner::ScriptRunner(ui::Application& app, std::ostream& out, HostView* view)
    : m_app(app), m_view(view), m_transcript(out),
      m_platform(m_transcript, view ? &view->Platform() : nullptr), m_printer(m_transcript), m_actions(app) {
    m_platform.SetLineSupplier([this](ui::Form&) { return RunNextLine(); });
}

int ScriptRunner::RunFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        m_transcript.Line("script error: cannot read " + file.string());
        return ScriptFault;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return Run(text.str());
}

int ScriptRunner::Run(const std::string& scriptText) {
    try {
        m_commands = ScriptParser::Parse(scriptText);
    } catch (const ScriptError& e) {
        m_transcript.Line(std::string("script error: ") + e.what());
        return ScriptFault;
    }
    m_next = 0;
    m_failed = false;
    PlatformSwap swap(m_app, m_platform);
    report::ScopedPrintService printer(m_printer);
    return RunCommands();
}

int ScriptRunner::RunCommands() {
    try {
        while (RunNextLine()) {
        }
        if (std::size_t left = m_platform.Answers().PendingAnswers() + m_printer.PendingFiles(); left > 0)
            throw ScriptError(m_currentLine,
                              std::to_string(left) + " queued answer(s) left unused at the end");
    } catch (const ScriptError& e) {
        m_transcript.Line(std::string("script error: ") + e.what());
        return ScriptFault;
    } catch (const std::exception& e) {
        m_transcript.Line("script error: line " + std::to_string(m_currentLine) + ": " + e.what());
        return ScriptFault;
    }
    return m_failed ? ExpectationFailed : Passed;
}

bool ScriptRunner::RunNextLine() {
    if (m_next >= m_commands.size())
        return false;
    const ScriptCommand& command = m_commands[m_next++];
    m_currentLine = command.Line;
    m_transcript.Command(command.Source);
    Execute(command);
    if (m_view)
        m_view->ProcessEvents();
    return true;
}

void ScriptRunner::Execute(const ScriptCommand& command) {
    const std::string& name = command.Name;
    if (name == "answer" || name == "choose" || name == "pick" || name == "picklist")
        Answer(command);
    else if (name == "expect")
        Expect(command);
    else if (name == "dump")
        Dump(command);
    else if (name == "shot")
        Shot(command);
    else if (name == "today")
        Today(command);
    else if (name == "open")
        Open(command);
    else if (name == "calls")
        RemoteCallLog::Instance().Reset();
    else if (name == "pdf")
        m_printer.QueuePdf(command.Args.front());
    else if (name == "login")
        Login(command);
    else if (name == "pause")
        Pause();
    else if (name == "press" || name == "write" || name == "mouse" || name == "mousetitle")
        Input(command);
    else
        Act(command);
}

void ScriptRunner::Answer(const ScriptCommand& command) {
    ui::HeadlessPlatform& answers = m_platform.Answers();
    const std::string& value = command.Args.front();
    bool none = value == "none";
    if (command.Name == "answer")
        value == "yes" ? answers.AnswerYes() : answers.AnswerNo();
    else if (command.Name == "choose")
        none ? answers.ChooseNothing() : answers.ChoosePopupItem(value);
    else if (command.Name == "pick")
        none ? answers.PickNone() : answers.PickRow(value);
    else
        none ? answers.PickRowsCancel() : answers.PickRows(value);
}

void ScriptRunner::Expect(const ScriptCommand& command) {
    ExpectTarget target = ScriptParser::ParseTarget(command.Args, command.Line);
    ScriptInspector inspector(m_app, m_platform, m_variables);
    std::string actual = inspector.Value(target, command.Line);
    const std::string& expected = command.Args.back();
    if (inspector.Matches(target, expected, actual))
        return;
    m_failed = true;
    std::string what = command.Args.front();
    for (std::size_t i = 1; i + 1 < command.Args.size(); ++i)
        what += " " + command.Args[i];
    m_transcript.Line("FAILED line " + std::to_string(command.Line) + ": expect " + what + ": expected \"" +
                      expected + "\", got \"" + actual + "\"");
}

void ScriptRunner::Dump(const ScriptCommand& command) {
    ScriptInspector inspector(m_app, m_platform, m_variables);
    for (const std::string& line : inspector.Dump(command.Args.front(), command.Line))
        m_transcript.Line("  " + line);
}

void ScriptRunner::Shot(const ScriptCommand& command) {
    // A picture exists only on the desktop; headless runs go on so one script serves both.
    if (m_view)
        m_view->SaveShot(command.Args.front());
}

void ScriptRunner::Today(const ScriptCommand& command) {
    double today = *data::IsoToDate(command.Args.front());
    data::Clock::SetSource([today] { return today; });
}

void ScriptRunner::Login(const ScriptCommand& command) {
    if (!m_signIn)
        throw ScriptError(command.Line, "this run cannot sign in");
    const std::string refusal = m_signIn(command.Args[0], command.Args[1]);
    m_transcript.Line("login: " + command.Args[0] + " -> " + (refusal.empty() ? std::string("ok") : refusal));
}

void ScriptRunner::Pause() {
    // Until a line arrives on the standard input (or it ends): whoever runs the script may change
    // the world outside the host between two lines.
    std::string line;
    std::getline(std::cin, line);
}

void ScriptRunner::Open(const ScriptCommand& command) {
    if (!m_opener)
        throw ScriptError(command.Line, "this run cannot open screens");
    m_app.Dispatch([&] { m_opener(command.Args.front()); });
}

} // namespace host
