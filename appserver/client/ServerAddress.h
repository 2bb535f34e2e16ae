#pragma once

#include <string>
#include <vector>

namespace pedclient {

// One application server as the operator names it: "https://HOST:PORT", "http://HOST:PORT" or
// "HOST:PORT" (plain HTTP).
struct ServerAddress {
    std::string host;
    int port = 0;
    bool tls = false;

    std::string HostPort() const { return host + ":" + std::to_string(port); }
    std::string Text() const { return (tls ? "https://" : "http://") + HostPort(); }

    // A comma-separated list of servers, in the order they are to be tried. An entry without a
    // port takes `defaultPort` (443 for https://); a path after the address is dropped. Throws
    // std::invalid_argument naming the entry.
    static std::vector<ServerAddress> ParseList(const std::string& text, int defaultPort);
};

} // namespace pedclient
