#pragma once

#include <boost/asio/ip/address.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace pedserver {

// The proxies (CIDR blocks: "127.0.0.1/32", "10.0.0.0/8", "::1/128") whose word on the client's
// address the server takes: a request that came through one is the client's of X-Real-IP, or of
// the last entry of X-Forwarded-For (the one the proxy itself added); any other request is the
// address it came from, whatever its headers say.
class TrustedProxies {
public:
    // Throws std::invalid_argument naming a block that does not read.
    explicit TrustedProxies(const std::vector<std::string>& blocks = {});

    bool Contains(const boost::asio::ip::address& address) const;
    // The client of a request from `peer` with these header values (empty when absent).
    std::string Client(const boost::asio::ip::address& peer, std::string_view realIp,
                       std::string_view forwardedFor) const;

private:
    struct Block {
        boost::asio::ip::address base;
        unsigned prefix;
    };
    std::vector<Block> m_blocks;
};

} // namespace pedserver
