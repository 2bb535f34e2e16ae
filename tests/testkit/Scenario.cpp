#include "testkit/Scenario.h"

#include "testkit/HostRun.h"
#include "testkit/TempDir.h"

#include <fstream>

namespace testkit {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

ProcessResult Scenario::Run(ServerProcess& server, const std::string& pedhost, const std::string& platform,
                            bool fixedBranch, std::vector<std::string> more) const {
    const auto name = std::filesystem::path(m_base).filename().string();
    const auto script = m_folder / (name + ".script");
    std::ofstream(script) << ReplaceAll(ReadTextFile(m_base + ".script"), "@OUT@", m_folder.string());
    HostRun run = HostRun::On(server, pedhost);
    run.platform = platform;
    run.script = script.string();
    run.fixedBranch = fixedBranch;
    run.more = std::move(more);
    // The shell starts the host in the scenario's folder, where files it writes without a folder go.
    std::vector<std::string> argv = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", m_folder.string()};
    const std::vector<std::string> host = run.Argv();
    argv.insert(argv.end(), host.begin(), host.end());
    return ChildProcess::Run(argv, std::chrono::seconds(180), run.Environment());
}

std::string Scenario::Expected() const {
    return ReplaceAll(ReadTextFile(m_base + ".expected"), "@OUT@", m_folder.string());
}

} // namespace testkit
