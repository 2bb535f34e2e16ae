#include "server/TrustedProxies.h"

#include <array>
#include <stdexcept>

namespace pedserver {
namespace {

std::array<unsigned char, 16> Bytes(const boost::asio::ip::address& address) {
    std::array<unsigned char, 16> bytes{};
    if (address.is_v4()) {
        const auto v4 = address.to_v4().to_bytes();
        std::copy(v4.begin(), v4.end(), bytes.begin());
    } else {
        bytes = address.to_v6().to_bytes();
    }
    return bytes;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The text as an address, when it is one.
bool ReadAddress(std::string_view text, boost::asio::ip::address& address) {
    boost::system::error_code error;
    address = boost::asio::ip::make_address(Trimmed(text), error);
    return !error;
}

} // namespace

TrustedProxies::TrustedProxies(const std::vector<std::string>& blocks) {
    for (const std::string& text : blocks) {
        const std::size_t slash = text.find('/');
        Block block{};
        if (!ReadAddress(std::string_view(text).substr(0, slash), block.base))
            throw std::invalid_argument("'" + text + "' is not an address or CIDR block");
        const unsigned bits = block.base.is_v4() ? 32 : 128;
        block.prefix = bits;
        if (slash != std::string::npos) {
            const std::string prefix = text.substr(slash + 1);
            if (prefix.empty() || prefix.size() > 3 || prefix.find_first_not_of("0123456789") != std::string::npos ||
                std::stoul(prefix) > bits)
                throw std::invalid_argument("'" + text + "' has no prefix length from 0 to " + std::to_string(bits));
            block.prefix = static_cast<unsigned>(std::stoul(prefix));
        }
        m_blocks.push_back(block);
    }
}

bool TrustedProxies::Contains(const boost::asio::ip::address& address) const {
    for (const Block& block : m_blocks) {
        if (block.base.is_v4() != address.is_v4())
            continue;
        const auto want = Bytes(block.base), have = Bytes(address);
        unsigned bit = 0;
        for (; bit < block.prefix; ++bit) {
            const unsigned mask = 0x80u >> (bit % 8);
            if ((want[bit / 8] & mask) != (have[bit / 8] & mask))
                break;
        }
        if (bit == block.prefix)
            return true;
    }
    return false;
}

std::string TrustedProxies::Client(const boost::asio::ip::address& peer, std::string_view realIp,
                                   std::string_view forwardedFor) const {
    boost::asio::ip::address client;
    if (Contains(peer)) {
        if (ReadAddress(realIp, client))
            return client.to_string();
        const std::size_t comma = forwardedFor.rfind(',');
        if (ReadAddress(comma == std::string_view::npos ? forwardedFor : forwardedFor.substr(comma + 1), client))
            return client.to_string();
    }
    return peer.to_string();
}

} // namespace pedserver
