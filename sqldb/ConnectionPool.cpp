#include "sqldb/ConnectionPool.h"

#include "sqldb/PoolBusy.h"

namespace sqldb {

Lease::Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection)
    : m_pool(&pool), m_connection(std::move(connection)) {}

Lease::Lease(Lease&& other) noexcept : m_pool(other.m_pool), m_connection(std::move(other.m_connection)) {}

Lease::~Lease() {
    if (m_connection)
        m_pool->Release(std::move(m_connection));
}

ConnectionPool::ConnectionPool(std::string url, PoolSettings settings)
    : m_url(std::move(url)), m_settings(settings) {
    if (m_settings.size < 1)
        m_settings.size = 1;
}

Lease ConnectionPool::Acquire() {
    std::unique_lock lock(m_mutex);
    if (!m_available.wait_for(lock, m_settings.acquireTimeout, [this] { return CanLend(); }))
        throw PoolBusy("no database connection came free within " +
                       std::to_string(m_settings.acquireTimeout.count()) + " ms");
    return Lend(lock);
}

std::optional<Lease> ConnectionPool::TryAcquire() {
    std::unique_lock lock(m_mutex);
    if (!CanLend())
        return std::nullopt;
    return Lend(lock);
}

Lease ConnectionPool::Lend(std::unique_lock<std::mutex>& lock) {
    if (!m_idle.empty()) {
        auto connection = std::move(m_idle.back());
        m_idle.pop_back();
        return Lease(*this, std::move(connection));
    }
    ++m_opened;
    lock.unlock();
    try {
        std::unique_ptr<Connection> connection = Connection::Open(m_url);
        if (m_settings.statementTimeout.count() > 0)
            connection->SetStatementTimeout(m_settings.statementTimeout);
        return Lease(*this, std::move(connection));
    } catch (...) {
        std::lock_guard relock(m_mutex);
        --m_opened;
        m_available.notify_one();
        throw;
    }
}

void ConnectionPool::Release(std::unique_ptr<Connection> connection) noexcept {
    std::lock_guard lock(m_mutex);
    // A dropped session is not lent again; its slot opens a fresh one on the next Acquire.
    if (connection->IsHealthy())
        m_idle.push_back(std::move(connection));
    else
        --m_opened;
    m_available.notify_one();
}

} // namespace sqldb
