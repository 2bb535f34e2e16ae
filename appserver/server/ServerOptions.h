#pragma once

#include <cstddef>
#include <string>

namespace pedserver {

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080; // 0 picks a free port
    int threads = 8; // HTTP workers; a keep-alive connection holds one while it stays open
    std::size_t maxBodyBytes = 8 * 1024 * 1024;
    int keepAliveSeconds = 30;
};

} // namespace pedserver
