#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace pedserver {

// Tokens the server has checked lately and their operators, so that a burst of calls does not
// hash and look up the same token each time. An entry lives `lifetime` (so a token revoked in the
// database stops working within it, in every process); only accepted tokens are kept, and at most
// `capacity` of them. A zero lifetime keeps nothing. Safe to use from every thread.
class TokenCache {
public:
    using Clock = std::chrono::steady_clock;

    TokenCache(std::chrono::milliseconds lifetime, std::size_t capacity = 10'000)
        : m_lifetime(lifetime), m_capacity(capacity) {}

    std::optional<std::string> Find(const std::string& token);
    void Keep(const std::string& token, const std::string& operatorCode);

private:
    struct Entry {
        std::string operatorCode;
        Clock::time_point expires;
    };

    const std::chrono::milliseconds m_lifetime;
    const std::size_t m_capacity;
    std::mutex m_mutex;
    std::unordered_map<std::string, Entry> m_entries;
};

} // namespace pedserver
