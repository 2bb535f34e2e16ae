#include "server/ConnectionLimiter.h"

namespace pedserver {

bool ConnectionLimiter::TryAdd(const std::string& address) {
    const std::lock_guard lock(m_mutex);
    auto& count = m_perClient[address];
    if (m_total >= m_maxTotal || count >= m_maxPerClient) {
        if (count == 0)
            m_perClient.erase(address);
        return false;
    }
    ++count;
    ++m_total;
    return true;
}

void ConnectionLimiter::Remove(const std::string& address) {
    const std::lock_guard lock(m_mutex);
    const auto found = m_perClient.find(address);
    if (found == m_perClient.end())
        return;
    --m_total;
    if (--found->second == 0)
        m_perClient.erase(found);
}

} // namespace pedserver
