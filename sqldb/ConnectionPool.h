#pragma once

#include "sqldb/Connection.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace sqldb {

class ConnectionPool;

// A connection borrowed from a pool; it goes back when the lease is destroyed.
class Lease {
public:
    Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection);
    ~Lease();
    Lease(Lease&& other) noexcept;
    Lease& operator=(Lease&&) = delete;
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;

    Connection& operator*() const { return *m_connection; }
    Connection* operator->() const { return m_connection.get(); }
    Connection& Get() const { return *m_connection; }

private:
    ConnectionPool* m_pool;
    std::unique_ptr<Connection> m_connection;
};

// How a pool lends: how many connections at most, how long a borrower waits for one, and the
// statement time limit each connection gets when it opens (zero: none).
struct PoolSettings {
    int size = 1;
    std::chrono::milliseconds acquireTimeout{5000};
    std::chrono::milliseconds statementTimeout{0};
};

// At most `size` connections to one URL, opened on demand. Acquire waits while all are lent, but
// no longer than the acquire time; a borrower that must not wait uses TryAcquire.
class ConnectionPool {
public:
    ConnectionPool(std::string url, PoolSettings settings);
    ConnectionPool(std::string url, int size) : ConnectionPool(std::move(url), PoolSettings{size}) {}

    // Throws PoolBusy when no connection came free within the acquire time.
    Lease Acquire();
    // A connection if one is free or may be opened now, else nothing.
    std::optional<Lease> TryAcquire();
    const std::string& Url() const { return m_url; }
    const PoolSettings& Settings() const { return m_settings; }

private:
    friend class Lease;
    void Release(std::unique_ptr<Connection> connection) noexcept;
    // With the lock held and a connection free or openable: lends it (opening it unlocked).
    Lease Lend(std::unique_lock<std::mutex>& lock);
    bool CanLend() const { return !m_idle.empty() || m_opened < m_settings.size; }

    std::string m_url;
    PoolSettings m_settings;
    int m_opened = 0;
    std::vector<std::unique_ptr<Connection>> m_idle;
    std::mutex m_mutex;
    std::condition_variable m_available;
};

} // namespace sqldb
