#include "ServerAddress.h"

#include <algorithm>
#include <stdexcept>

namespace pedclient {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsPort(const std::string& text) {
    return !text.empty() && text.size() <= 5 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
           std::stoi(text) >= 1 && std::stoi(text) <= 65535;
}

ServerAddress ParseOne(const std::string& entry, int defaultPort) {
    ServerAddress address;
    std::string rest = entry;
    if (rest.starts_with("https://")) {
        address.tls = true;
        rest.erase(0, 8);
        defaultPort = 443;
    } else if (rest.starts_with("http://")) {
        rest.erase(0, 7);
    } else if (rest.find("://") != std::string::npos) {
        throw std::invalid_argument("'" + entry + "': only http:// and https:// servers are known");
    }
    // A path after the address names nothing the client uses (each module has its own).
    if (const std::size_t path = rest.find('/'); path != std::string::npos)
        rest.erase(path);
    const std::size_t colon = rest.rfind(':');
    address.host = rest.substr(0, colon);
    if (colon != std::string::npos && !IsPort(rest.substr(colon + 1)))
        throw std::invalid_argument("'" + entry + "': the port must be a number from 1 to 65535");
    address.port = colon == std::string::npos ? defaultPort : std::stoi(rest.substr(colon + 1));
    if (address.host.empty() || address.host.find_first_of("/?#@ ") != std::string::npos)
        throw std::invalid_argument("'" + entry +
                                    "' is not HOST:PORT, http://HOST:PORT or https://HOST:PORT");
    if (address.port < 1 || address.port > 65535)
        throw std::invalid_argument("'" + entry + "' has no port");
    return address;
}

bool IsLoopbackIpv4(const std::string& host) {
    if (!host.starts_with("127."))
        return false;
    int parts = 0;
    for (std::size_t start = 0; start <= host.size(); ++parts) {
        const std::size_t dot = std::min(host.find('.', start), host.size());
        const std::string part = host.substr(start, dot - start);
        if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            std::stoi(part) > 255)
            return false;
        start = dot + 1;
    }
    return parts == 4;
}

} // namespace

bool ServerAddress::IsLoopback() const {
    return host == "localhost" || host == "::1" || host == "[::1]" || IsLoopbackIpv4(host);
}

void ServerAddress::RequireSafeTransport(const std::vector<ServerAddress>& servers, bool plainRemoteAllowed) {
    const bool anyTls = std::any_of(servers.begin(), servers.end(), [](const ServerAddress& s) { return s.tls; });
    for (const ServerAddress& server : servers) {
        if (server.tls)
            continue;
        if (anyTls)
            throw std::invalid_argument("a lista de servidores mistura https:// e http:// (" + server.Text() +
                                        "): use https:// em todos, para que o token nunca siga em texto aberto");
        if (!plainRemoteAllowed && !server.IsLoopback())
            throw std::invalid_argument("http://" + server.HostPort() +
                                        " levaria o token em texto aberto pela rede: use https:// (ou "
                                        "--insecure-plain-http, só em rede de teste)");
    }
}

std::vector<ServerAddress> ServerAddress::ParseList(const std::string& text, int defaultPort) {
    std::vector<ServerAddress> servers;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string entry = Trimmed(text.substr(start, comma - start));
        if (entry.empty())
            throw std::invalid_argument("empty server in the list '" + text + "'");
        servers.push_back(ParseOne(entry, defaultPort));
        start = comma + 1;
    }
    return servers;
}

} // namespace pedclient
