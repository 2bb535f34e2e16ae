#include "server/CallConnection.h"

namespace pedserver {

sqldb::Connection& CallConnection::Get() {
    if (!m_lease)
        m_lease.emplace(m_pool.Acquire());
    if (m_shareRead && !m_read)
        m_read.emplace(**m_lease, sqldb::Transaction::Mode::Read);
    return **m_lease;
}

bool CallConnection::TryAcquire() {
    if (!m_lease) {
        std::optional<sqldb::Lease> lease = m_pool.TryAcquire();
        if (!lease)
            return false;
        m_lease.emplace(std::move(*lease));
    }
    return true;
}

} // namespace pedserver
