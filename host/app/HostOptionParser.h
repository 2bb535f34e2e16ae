#pragma once

#include "app/HostOptions.h"

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace host {

// The host's command line. The same keys may come from a config file (`--config FILE`, lines
// `key = value`, `#` comments); the command line wins over the file. The token comes from a file
// only its owner may read (`--token-file`) or from PEDHOST_TOKEN, never from the command line,
// which every user of the machine can read.
class HostOptionParser {
public:
    HostOptionParser();

    // `args` without the program name. Throws CLI::ParseError (help included) on bad input.
    HostOptions Parse(const std::vector<std::string>& args);
    // Prints the help or the error as CLI11 does; returns the exit status to use.
    int Exit(const CLI::ParseError& error) { return m_app.exit(error); }

private:
    void Finish();

    CLI::App m_app;
    HostOptions m_options;
    std::string m_server;
    std::string m_platform = "qt";
    std::string m_modulesDir;
    std::string m_script;
    std::string m_token;
    std::string m_tokenFile;
};

} // namespace host
