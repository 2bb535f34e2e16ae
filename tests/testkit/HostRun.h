#pragma once

#include "testkit/ChildProcess.h"

#include <chrono>
#include <string>
#include <vector>

namespace testkit {

class ServerProcess;

// One pedhost run against a test server, as tests and benchmarks start it: branch 1, the given
// platform, server, operator, a script and any more options on the command line; the token in
// PEDHOST_TOKEN, never on the command line.
struct HostRun {
    std::string pedhost;
    std::string platform = "headless";
    std::string server;
    std::string operatorCode = "DEMO";
    std::string token;
    std::string script;
    bool fixedBranch = false;
    std::vector<std::string> more;

    // A run against `server` (its address and the operator's token).
    static HostRun On(ServerProcess& server, std::string pedhost, const std::string& operatorCode = "DEMO");

    std::vector<std::string> Argv() const;
    // What the run adds to the environment: the token.
    std::vector<std::string> Environment() const;
    // Runs pedhost to its end (killed after `timeout`).
    ProcessResult Run(std::chrono::milliseconds timeout) const;
};

} // namespace testkit
