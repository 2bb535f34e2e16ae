#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <string>

namespace pedserver {

// Counts open connections in all and per client address, so that a connection above either cap
// is refused at once instead of waiting for room.
class ConnectionLimiter {
public:
    ConnectionLimiter(std::size_t maxTotal, std::size_t maxPerClient)
        : m_maxTotal(maxTotal), m_maxPerClient(maxPerClient) {}

    // Counts the connection and returns true, or returns false when a cap is reached.
    bool TryAdd(const std::string& address);
    void Remove(const std::string& address);

private:
    std::size_t m_maxTotal;
    std::size_t m_maxPerClient;
    std::size_t m_total = 0;
    std::map<std::string, std::size_t> m_perClient;
    std::mutex m_mutex;
};

} // namespace pedserver
