#pragma once

#include "testkit/ChildProcess.h"

#include <filesystem>
#include <string>
#include <vector>

namespace testkit {

class ServerProcess;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

// A scenario of tests/e2e (BASE.script and BASE.expected, BASE without the ending) run by pedhost
// against a test server in a folder of its own, which is the host's working directory and what
// @OUT@ stands for in the script and its transcript, so one transcript serves every run.
class Scenario {
public:
    Scenario(std::string base, std::filesystem::path folder)
        : m_base(std::move(base)), m_folder(std::move(folder)) {}

    // Runs it on the platform ("headless" or "qt"); `more` are further pedhost options.
    ProcessResult Run(ServerProcess& server, const std::string& pedhost, const std::string& platform,
                      bool fixedBranch, std::vector<std::string> more = {}) const;
    // The expected transcript with @OUT@ standing for the folder.
    std::string Expected() const;

private:
    std::string m_base;
    std::filesystem::path m_folder;
};

} // namespace testkit
