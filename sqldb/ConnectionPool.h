#pragma once

#include "sqldb/Connection.h"

#include <condition_variable>
#include <memory>
#include <mutex>
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

// At most `size` connections to one URL, opened on demand; Acquire waits while all are lent.
class ConnectionPool {
public:
    ConnectionPool(std::string url, int size);

    Lease Acquire();
    const std::string& Url() const { return m_url; }

private:
    friend class Lease;
    void Release(std::unique_ptr<Connection> connection) noexcept;

    std::string m_url;
    int m_size;
    int m_opened = 0;
    std::vector<std::unique_ptr<Connection>> m_idle;
    std::mutex m_mutex;
    std::condition_variable m_available;
};

} // namespace sqldb
