#pragma once

#include <filesystem>
#include <string>

namespace host {

enum class PlatformKind { Qt, Headless };

// Everything the host is told at start, from the command line, a config file or the environment.
struct HostOptions {
    std::string ServerHost = "127.0.0.1";
    int ServerPort = 8080;
    // The shared lookup database: "sqlite:PATH" or "postgresql://...".
    std::string Database;
    std::string Operator;
    std::string Token;
    std::string Branch;
    bool FixedBranch = false;
    // Where the modules' descriptors and libraries are; empty: the build's library folder.
    std::filesystem::path ModulesDir;
    std::string Locale = "pt-BR";
    std::string ProductMask = "9.99.999";
    PlatformKind Platform = PlatformKind::Qt;
    std::filesystem::path Script;
    std::string OpenCode;
};

} // namespace host
