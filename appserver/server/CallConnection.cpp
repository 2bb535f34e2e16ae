#include "server/CallConnection.h"

namespace pedserver {

sqldb::Connection& CallConnection::Get() {
    if (!m_lease)
        m_lease.emplace(m_pool.Acquire());
    if (m_shareRead && !m_read)
        m_read.emplace(**m_lease, sqldb::Transaction::Mode::Read);
    return **m_lease;
}

} // namespace pedserver
