#pragma once

#include "AnswerStream.h"
#include "GetPedidoParams.h"
#include "RpcAnswer.h"
#include "RpcCall.h"
#include "RpcClientError.h"
#include "TlsSettings.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace pedclient {

struct RpcClientTimeouts {
    // For opening the connection.
    std::chrono::milliseconds connect{3000};
    // For the whole call, counted from its start: connect, send and the whole answer. An answer
    // that trickles in byte by byte does not extend it.
    std::chrono::milliseconds read{30000};
};

// What the client accepts of an answer; both are checked before the answer is kept whole.
struct RpcClientLimits {
    std::size_t maxAnswerBytes = 32 * 1024 * 1024; // body, after any chunked framing
    std::size_t maxDepth = 256;                    // nesting of JSON arrays and objects
};

// A keep-alive JSON-RPC client of "Ped01000.rdmCancelaPedido". One connection, reused from call
// to call and reopened when the server closed it. Not thread-safe: one client per thread.
// Every failure is an RpcClientError with a Portuguese message; no call outlives its deadline.
class RpcClient {
public:
    RpcClient(std::string host, int port, std::string token, RpcClientTimeouts timeouts = {},
              RpcClientLimits limits = {}, TlsSettings tls = {});
    ~RpcClient();
    RpcClient(RpcClient&&) noexcept;
    RpcClient& operator=(RpcClient&&) noexcept;

    // Sends the calls to another remote data module of the server ("Ped01100.rdmRelPedido").
    void SetModule(std::string_view module);
    // The token of the calls from now on (after a new sign-in); empty: none, only Login is taken.
    void SetToken(const std::string& token);

    const std::string& Host() const;
    int Port() const;

    // Sends one request and returns its "result" object.
    nlohmann::json Call(const std::string& method, const nlohmann::json& params);
    // The same, the result going as parser events to the sink of arrival 0 as the answer is read.
    void Call(const RpcCall& call, const ResultSinks& sinks);
    // Sends the calls as one JSON-RPC batch and returns one answer per call, in their order. The
    // exchange's own failures (and a batch the server refuses whole) throw as Call does.
    std::vector<BatchAnswer> CallBatch(const std::vector<RpcCall>& calls);
    // The same, each result going as parser events to its sink as the answer is read, with no
    // JSON tree of it (see StreamBatchAnswer).
    std::vector<StreamedAnswer> CallBatch(const std::vector<RpcCall>& calls, const ResultSinks& sinks);

    // The calls of the screen's load; each returns the data packet.
    nlohmann::json GetPedido(const GetPedidoParams& params);
    nlohmann::json GetItemPedido(const std::string& cdFilial, const std::string& nrPedido);
    nlohmann::json GetItemPedidoSemFiltro2(const std::string& cdFilial, const std::string& nrPedido);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace pedclient
