#pragma once

#include "server/RemoteModules.h"
#include "server/RpcOutcome.h"
#include "sqldb/ConnectionPool.h"

#include <nlohmann/json.hpp>
#include <string_view>

namespace pedserver {

// Turns the body and the Authorization header of one POST into its JSON-RPC answer: checks the
// token, the envelope and the method, then runs the method on a pooled connection. It never
// throws; every failure becomes a JSON-RPC error, and internal details stay in RpcOutcome::detail.
class RpcDispatcher {
public:
    explicit RpcDispatcher(sqldb::ConnectionPool& pool) : m_pool(pool) {}

    // Runs the call on the cancellation module, or on the module given.
    RpcOutcome Handle(std::string_view body, std::string_view authorization,
                      const RemoteModule& module = CancellationModule());

private:
    void Dispatch(RpcOutcome& outcome, std::string_view body, std::string_view authorization,
                  const RemoteModule& module);
    // Fills the outcome with an error and returns false when the envelope is not a valid request.
    static bool CheckEnvelope(RpcOutcome& outcome, const nlohmann::json& request, const RemoteModule& module);

    sqldb::ConnectionPool& m_pool;
};

} // namespace pedserver
