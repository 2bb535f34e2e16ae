#include "HostRun.h"

#include "ServerProcess.h"

namespace testkit {

HostRun HostRun::On(ServerProcess& server, std::string pedhost, const std::string& operatorCode) {
    HostRun run;
    run.pedhost = std::move(pedhost);
    run.server = server.Host() + ":" + std::to_string(server.Port());
    run.database = server.DatabaseUrl();
    run.operatorCode = operatorCode;
    run.token = server.Token(operatorCode);
    return run;
}

std::vector<std::string> HostRun::Argv() const {
    std::vector<std::string> argv{pedhost, "--platform", platform,     "--server",   server,
                                  "--db",  database,     "--operator", operatorCode, "--token",
                                  token,   "--branch",   "1",          "--script",   script};
    if (fixedBranch)
        argv.push_back("--fixed-branch");
    argv.insert(argv.end(), more.begin(), more.end());
    return argv;
}

} // namespace testkit
