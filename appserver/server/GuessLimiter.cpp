#include "server/GuessLimiter.h"

#include <algorithm>
#include <iterator>

namespace pedserver {

GuessLimiter::Bucket& GuessLimiter::Refilled(const std::string& address, Clock::time_point now) {
    auto found = m_buckets.find(address);
    if (found == m_buckets.end()) {
        if (m_buckets.size() >= m_capacity)
            Forget(now);
        found = m_buckets.emplace(address, Bucket{static_cast<double>(m_burst), now}).first;
    }
    Bucket& bucket = found->second;
    const double seconds = std::chrono::duration<double>(now - bucket.refilled).count();
    bucket.tries = std::min<double>(m_burst, bucket.tries + seconds * m_perSecond);
    bucket.refilled = now;
    return bucket;
}

void GuessLimiter::Forget(Clock::time_point now) {
    for (auto bucket = m_buckets.begin(); bucket != m_buckets.end();) {
        const double seconds = std::chrono::duration<double>(now - bucket->second.refilled).count();
        const bool full = bucket->second.tries + seconds * m_perSecond >= m_burst;
        bucket = full ? m_buckets.erase(bucket) : std::next(bucket);
    }
    // Addresses enough to keep more than half the buckets from filling get them all back, rather
    // than memory without end or a scan for every new address.
    if (m_buckets.size() > m_capacity / 2)
        m_buckets.clear();
}

bool GuessLimiter::Allows(const std::string& address, Clock::time_point now) {
    std::lock_guard lock(m_mutex);
    return Refilled(address, now).tries >= 1.0;
}

bool GuessLimiter::Failed(const std::string& address, Clock::time_point now) {
    std::lock_guard lock(m_mutex);
    Bucket& bucket = Refilled(address, now);
    const bool had = bucket.tries >= 1.0;
    bucket.tries = std::max(0.0, bucket.tries - 1.0);
    return had && bucket.tries < 1.0;
}

} // namespace pedserver
