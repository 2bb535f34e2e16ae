#pragma once

#include "RpcClient.h"
#include "ServerAddress.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pedclient {

// JSON-RPC calls over a list of equivalent servers (one PostgreSQL behind them all). A call that
// could not be sent (connection refused, TLS refused before anything went out) goes to the next
// server, and later calls stay there. A call whose request was sent is never sent again if it
// changes anything (a Set...): when its answer does not come, the caller gets OutcomeUnknown,
// whose message tells the operator to reload before trying again. Only reading calls (Get..., which
// change nothing on the server) are sent again to the next server after a lost answer.
// Not thread-safe: one per thread, like RpcClient.
class FailoverClient {
public:
    // Throws std::invalid_argument for no server or for servers RequireSafeTransport refuses.
    FailoverClient(std::vector<ServerAddress> servers, std::string token, RpcClientTimeouts timeouts = {},
                   std::string caFile = {}, bool plainRemoteAllowed = false);

    void SetModule(std::string_view module);
    void SetToken(const std::string& token);
    const std::string& Token() const { return m_token; }
    // The server the next call goes to first.
    const ServerAddress& Current() const { return m_servers[m_current]; }

    nlohmann::json Call(const std::string& method, const nlohmann::json& params);
    std::vector<BatchAnswer> CallBatch(const std::vector<RpcCall>& calls);
    // The same with the results read as a stream into sinks (RpcClient's overloads). Once a sink
    // has been handed out, the call is not sent again anywhere: its sinks hold part of an answer.
    void Call(const RpcCall& call, const ResultSinks& sinks);
    std::vector<StreamedAnswer> CallBatch(const std::vector<RpcCall>& calls, const ResultSinks& sinks);

    // A method that only reads: its name starts with "Get" (or "get").
    static bool IsReading(const std::string& method);

private:
    RpcClient& Client(std::size_t index);
    // Runs `exchange` on the current server, then on the next ones as the failure allows.
    // A call whose `fed` became true is never sent again.
    template <typename Exchange>
    auto Run(const std::string& what, bool reading, const Exchange& exchange, const bool* fed = nullptr);
    // What a batch's failure names, and whether all its calls only read.
    static std::pair<std::string, bool> Describe(const std::vector<RpcCall>& calls);
    // Whether the failure on one server lets the same call go to the next one.
    static bool MayTryNext(const RpcClientError& error, bool reading);

    std::vector<ServerAddress> m_servers;
    std::string m_token;
    RpcClientTimeouts m_timeouts;
    std::string m_caFile;
    std::string m_module;
    std::vector<std::optional<RpcClient>> m_clients;
    std::size_t m_current = 0;
};

} // namespace pedclient
