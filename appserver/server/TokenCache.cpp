#include "server/TokenCache.h"

#include <iterator>

namespace pedserver {

std::optional<std::string> TokenCache::Find(const std::string& token) {
    std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(token);
    if (found == m_entries.end())
        return std::nullopt;
    if (found->second.expires <= Clock::now()) {
        m_entries.erase(found);
        return std::nullopt;
    }
    return found->second.operatorCode;
}

void TokenCache::Keep(const std::string& token, const std::string& operatorCode) {
    if (m_lifetime <= std::chrono::milliseconds::zero() || m_capacity == 0)
        return;
    const Clock::time_point now = Clock::now();
    std::lock_guard lock(m_mutex);
    if (m_entries.size() >= m_capacity) {
        for (auto entry = m_entries.begin(); entry != m_entries.end();)
            entry = entry->second.expires <= now ? m_entries.erase(entry) : std::next(entry);
        // Still full of live tokens: start again rather than grow.
        if (m_entries.size() >= m_capacity)
            m_entries.clear();
    }
    m_entries[token] = {operatorCode, now + m_lifetime};
}

} // namespace pedserver
