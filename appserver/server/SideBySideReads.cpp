#include "server/SideBySideReads.h"

#include <exception>
#include <optional>
#include <vector>

namespace pedserver {

void SideBySideReads::Run(sqldb::ConnectionPool& pool, std::size_t helpers, const SharedWork::Post& post,
                          CallConnection& own, std::size_t parts, const PartRead& read) {
    std::vector<std::exception_ptr> failures(parts);
    SharedWork::Run(parts, post ? helpers : 0, post, [&](const SharedWork::Next& next, bool helper) {
        std::optional<CallConnection> other;
        if (helper) {
            other.emplace(pool, true);
            try {
                if (!other->TryAcquire())
                    return;
            } catch (...) {
                return; // the calling thread reads the parts this helper would have
            }
        }
        CallConnection& connection = helper ? *other : own;
        while (const std::optional<std::size_t> part = next()) {
            try {
                read(*part, connection.Get());
            } catch (...) {
                failures[*part] = std::current_exception();
                connection.AfterFailure();
            }
        }
    });
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

} // namespace pedserver
