#include "sqldb/ConnectionPool.h"

namespace sqldb {

Lease::Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection)
    : m_pool(&pool), m_connection(std::move(connection)) {}

Lease::Lease(Lease&& other) noexcept : m_pool(other.m_pool), m_connection(std::move(other.m_connection)) {}

Lease::~Lease() {
    if (m_connection)
        m_pool->Release(std::move(m_connection));
}

ConnectionPool::ConnectionPool(std::string url, int size)
    : m_url(std::move(url)), m_size(size < 1 ? 1 : size) {}

Lease ConnectionPool::Acquire() {
    std::unique_lock lock(m_mutex);
    m_available.wait(lock, [this] { return !m_idle.empty() || m_opened < m_size; });
    if (!m_idle.empty()) {
        auto connection = std::move(m_idle.back());
        m_idle.pop_back();
        return Lease(*this, std::move(connection));
    }
    ++m_opened;
    lock.unlock();
    try {
        return Lease(*this, Connection::Open(m_url));
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
