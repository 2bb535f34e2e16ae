#include "DtmDBGeral.h"
#include "Morvale.h"
#include "app/AppHostValues.h"
#include "app/HostOptionParser.h"
#include "app/ModuleLoader.h"
#include "app/ReportPdfWriter.h"
#include "app/SignIn.h"
#include "script/ScriptRunner.h"
#include "app/ViewFactory.h"
#include "data/FormatSettings.h"
#include "ui/Application.h"
#include "ui/HeadlessPlatform.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// Asks until the operator is signed in (true) or quits (false), `message` saying why at first.
bool SignInAsked(host::HostView& view, host::AppHostValues& values, std::string message) {
    while (true) {
        const std::optional<host::Credentials> typed = view.AskSignIn(values.Operador(), message);
        if (!typed)
            return false;
        message = host::SignIn(values, typed->OperatorCode, typed->Password);
        if (message.empty()) {
            view.SetBranch(values.FiliProc(), values.NomeFiliProc());
            return true;
        }
    }
}

// The screen named by --open runs as the script's first line, so the transcript shows it too.
int RunScript(ui::Application& app, const host::HostOptions& options, host::ModuleLoader& loader,
              host::HostView* view, host::AppHostValues& values) {
    std::ifstream in(options.Script);
    if (!in) {
        std::cerr << "pedhost: cannot read the script " << options.Script << '\n';
        return host::ScriptRunner::ScriptFault;
    }
    std::ostringstream text;
    if (!options.OpenCode.empty())
        text << "open " << options.OpenCode << '\n';
    text << in.rdbuf();
    host::ScriptRunner runner(app, std::cout, view);
    runner.SetScreenOpener([&](const std::string& code) { loader.Open(code); });
    runner.SetVariableReader([&](const std::string& name) { return loader.VariableText(name); });
    runner.SetSignIn([&](const std::string& operatorCode, const std::string& password) {
        std::string refusal = host::SignIn(values, operatorCode, password);
        if (refusal.empty() && view)
            view->SetBranch(values.FiliProc(), values.NomeFiliProc());
        return refusal;
    });
#if PEDHOST_WITH_QT
    // Qt's PDF writer serves the headless platform as well: a script's PDF is the same file.
    const std::unique_ptr<host::ReportPdfWriter> pdf = host::CreateQtPdfWriter();
    runner.Printer().SetPdfWriter(pdf.get());
#endif
    return runner.Run(text.str());
}

int RunInteractive(ui::Application& app, const host::HostOptions& options, host::ModuleLoader& loader,
                   host::HostView& view, host::AppHostValues& values) {
    // Without a token the operator signs in first; quitting there ends the host.
    if (options.Token.empty() && !SignInAsked(view, values, {}))
        return 0;
    // A session that ended is offered again once the refused call's message was seen; the
    // screens stay as they are. Quitting then ends the host as well.
    values.OnSessionExpired = [&view, &values] {
        view.Later([&view, &values] {
            if (!SignInAsked(view, values, "Sua sessão expirou. Entre novamente."))
                view.Quit();
        });
    };
    if (!options.OpenCode.empty())
        app.Dispatch([&] { loader.Open(options.OpenCode); });
#if PEDHOST_WITH_QT
    const std::unique_ptr<report::PrintService> printer = host::CreateQtPrintService();
    report::ScopedPrintService installed(*printer);
#endif
    return view.Exec();
}

std::unique_ptr<host::HostView> CreateView([[maybe_unused]] const host::HostOptions& options,
                                           [[maybe_unused]] int& argc, [[maybe_unused]] char** argv) {
#if PEDHOST_WITH_QT
    return host::CreateQtView(options, argc, argv);
#else
    throw std::runtime_error("this pedhost was built without the Qt view; use --platform headless");
#endif
}

int RunHost(const host::HostOptions& options, char* program) {
    data::FormatSettings::Current() = data::FormatSettings::ForLocale(options.Locale);
    host::ModuleLoader loader(options.ModulesDir.empty() ? host::ModuleLoader::DefaultFolder()
                                                         : options.ModulesDir);
    host::AppHostValues values(options, host::AppHostValues::ParameterOpener(
                                            [&](const std::string& code, const std::string& parameter) {
                                                loader.Open(code, parameter);
                                            }));
    Morvale::InstallHostValues(&values);
    // Lookups go through the application server, as the screens' calls do: no database here.
    dtmDBGeral::Open();
    if (!options.Token.empty())
        values.ReadBranchName();
    loader.LoadAll();

    // Qt reads options of its own from the command line ("--platform" among them), so it sees only
    // the program's name; the host's options were read already.
    int qtArgc = 1;
    char* qtArgv[] = {program, nullptr};
    ui::HeadlessPlatform headless;
    std::unique_ptr<host::HostView> view;
    int status = 0;
    {
        // The forms go before the view that shows them and before the modules whose code they are.
        ui::Application app;
        app.SetPlatform(headless);
        if (options.Platform == host::PlatformKind::Qt) {
            view = CreateView(options, qtArgc, qtArgv);
            app.SetPlatform(view->Platform());
            view->SetBranch(values.FiliProc(), values.NomeFiliProc());
            for (const host::OfferedScreen& screen : loader.Screens())
                view->AddScreen(
                    screen.Code, screen.Title.empty() ? screen.Package : screen.Title,
                    [&app, &loader, code = screen.Code] { app.Dispatch([&] { loader.Open(code); }); });
            view->ShowMainWindow();
        }
        status = options.Script.empty() ? RunInteractive(app, options, loader, *view, values)
                                        : RunScript(app, options, loader, view.get(), values);
        values.OnSessionExpired = nullptr;
    }
    view.reset();
    loader.UnloadAll();
    Morvale::InstallHostValues(nullptr);
    dtmDBGeral::Close();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    host::HostOptionParser parser;
    host::HostOptions options;
    try {
        options = parser.Parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const CLI::ParseError& error) {
        return parser.Exit(error);
    }
    if (options.Platform == host::PlatformKind::Headless && options.Script.empty()) {
        std::cerr << "pedhost: --platform headless needs --script FILE\n";
        return 2;
    }
    try {
        return RunHost(options, argv[0]);
    } catch (const std::exception& e) {
        std::cerr << "pedhost: " << e.what() << '\n';
        return 2;
    }
}
