#pragma once

#include "rdm/MethodCall.h"
#include "server/CallConnection.h"
#include "server/SharedWork.h"
#include "sqldb/ConnectionPool.h"

#include <cstddef>

namespace pedserver {

// Runs the parts of one call's read side by side: the calling thread on the call's own connection,
// each helper on a connection of the pool that is free at once, in a read transaction of its own,
// so a busy pool only makes the calling thread read more parts. Every part runs; the first failure
// (in part order) is raised once all are done.
class SideBySideReads {
public:
    static void Run(sqldb::ConnectionPool& pool, std::size_t helpers, const SharedWork::Post& post,
                    CallConnection& own, std::size_t parts, const PartRead& read);
};

} // namespace pedserver
