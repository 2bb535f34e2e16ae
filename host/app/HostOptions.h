#pragma once

#include <filesystem>
#include <string>

namespace host {

enum class PlatformKind { Qt, Headless };

// Everything the host is told at start, from the command line, a config file or the environment.
struct HostOptions {
    // One server's host and port, or (for https:// or a list of servers) the whole --server text
    // in ServerHost and the first server's port in ServerPort.
    std::string ServerHost = "127.0.0.1";
    int ServerPort = 8080;
    // Authorities trusted for https:// servers; empty: the system's store.
    std::string CaFile;
    // http:// to a server other than this machine (tokens in clear text), only when told so.
    bool InsecurePlainHttp = false;
    std::string Operator;
    // From PEDHOST_TOKEN or a private file, never from the command line.
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
