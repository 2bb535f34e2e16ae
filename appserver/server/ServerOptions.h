#pragma once

#include <cstddef>
#include <string>

namespace pedserver {

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080; // 0 picks a free port
    int threads = 8; // HTTP workers; a keep-alive connection holds one while it stays open
    std::size_t maxBodyBytes = 8 * 1024 * 1024;
    // An idle kept-alive connection holds a worker, so idle desktops must let go soon; clients
    // reconnect by themselves, and a screen's burst of calls still shares one connection.
    int keepAliveSeconds = 5;
};

} // namespace pedserver
