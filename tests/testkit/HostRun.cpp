#include "HostRun.h"

#include "ServerProcess.h"

namespace testkit {

HostRun HostRun::On(ServerProcess& server, std::string pedhost, const std::string& operatorCode) {
    HostRun run;
    run.pedhost = std::move(pedhost);
    run.server = server.Host() + ":" + std::to_string(server.Port());
    run.operatorCode = operatorCode;
    run.token = server.Token(operatorCode);
    return run;
}

std::vector<std::string> HostRun::Argv() const {
    std::vector<std::string> argv{pedhost,  "--platform", platform, "--server", server, "--operator",
                                  operatorCode, "--branch", "1", "--script", script};
    if (fixedBranch)
        argv.push_back("--fixed-branch");
    argv.insert(argv.end(), more.begin(), more.end());
    return argv;
}

std::vector<std::string> HostRun::Environment() const {
    return {"PEDHOST_TOKEN=" + token};
}

ProcessResult HostRun::Run(std::chrono::milliseconds timeout) const {
    return ChildProcess::Run(Argv(), timeout, Environment());
}

} // namespace testkit
