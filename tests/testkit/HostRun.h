#pragma once

#include <string>
#include <vector>

namespace testkit {

class ServerProcess;

// The command line of one pedhost run against a test server, as tests and benchmarks start it:
// branch 1, the given platform, server, database, operator and token, a script, and any more
// options.
struct HostRun {
    std::string pedhost;
    std::string platform = "headless";
    std::string server;
    std::string database;
    std::string operatorCode = "DEMO";
    std::string token;
    std::string script;
    bool fixedBranch = false;
    std::vector<std::string> more;

    // A run against `server` (its address, database and the operator's token).
    static HostRun On(ServerProcess& server, std::string pedhost, const std::string& operatorCode = "DEMO");

    std::vector<std::string> Argv() const;
};

} // namespace testkit
