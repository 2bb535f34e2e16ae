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
    // Throws std::invalid_argument (a Portuguese message) for a list that mixes https:// and http://
    // servers, where a refused handshake would move the token on to a server in clear text, and
    // for http:// to an address other than this machine's unless `plainRemoteAllowed`.
    static void RequireSafeTransport(const std::vector<ServerAddress>& servers, bool plainRemoteAllowed);
    // "localhost", 127.0.0.0/8 or ::1: only this machine can reach it.
    bool IsLoopback() const;
};

} // namespace pedclient
