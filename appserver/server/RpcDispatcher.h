#pragma once

#include "rdm/AnswerBudget.h"
#include "rdm/BatchReads.h"
#include "server/CallConnection.h"
#include "server/GuessLimiter.h"
#include "server/RemoteModules.h"
#include "server/RpcOutcome.h"
#include "server/RpcReply.h"
#include "server/ServerOptions.h"
#include "server/SharedWork.h"
#include "server/TokenCache.h"
#include "sqldb/ConnectionPool.h"

#include <chrono>
#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pedserver {

// Everything between an HTTP request on a remote module's path and the module's Call: the token
// (from the headers, before any body is read), then the body's call or batch of calls on a
// pooled connection. A command runs in a transaction of its own; a batch of reads is shared out
// over the server's threads, each reading in one read transaction. Every request keeps to the
// server's limits: its nesting, its calls' limits, one answer budget for all its calls, the
// statement time limit and the time it may wait for a connection. It never throws; every failure
// becomes a JSON-RPC error, and internal details stay in RpcOutcome::detail.
class RpcDispatcher {
public:
    // How deep a request's JSON may nest: a batch of calls with packets needs six levels.
    static constexpr std::size_t MaxNesting = 32;

    RpcDispatcher(sqldb::ConnectionPool& pool, const ServerOptions& options);

    // The token's operator (from the cache when it was accepted lately, else from the database);
    // or nothing, with `refusal` holding the answer (401 for a missing, unknown or expired token;
    // 429 for a client address past its tries; 503 when no connection is free; 500 when the
    // database fails). `client` is the client's address, for the guess limiter and the log.
    std::optional<std::string> Authenticate(std::string_view authorization, const std::string& client,
                                            RpcOutcome& refusal);
    // A request without a token: it may only sign in, with one Login(operator, password) call,
    // answered {"token","expires"} or refused alike for a wrong password, an unknown operator and
    // an operator locked out.
    RpcReply SignIn(std::string_view body, const std::string& client);
    // Answers the body of an authenticated request to the module: one call, or a batch (a JSON
    // list) of at most the batch size, answered as a list in the order of its calls. An answer
    // past its budget is refused whole unless a call of it changed data; a request none of whose
    // calls found a free connection is answered 503.
    RpcReply Handle(std::string_view body, const std::string& operatorCode,
                    const RemoteModule& module = CancellationModule());
    // From now on, a batch whose calls only read runs them on the handling thread and on up to
    // `helpers` more tasks handed to `post` (none before this is called); other batches run their
    // calls in order, one by one.
    void ShareReadBatches(SharedWork::Post post, std::size_t helpers);

private:
    RpcReply Answer(std::string_view body, const std::string& operatorCode, const RemoteModule& module,
                    AnswerBudget& answer);
    // `batch` is the shared reads of the batch of reads the call is in, or null.
    RpcOutcome HandleCall(const nlohmann::json& request, const std::string& operatorCode,
                          const RemoteModule& module, CallConnection& connection, AnswerBudget& answer,
                          BatchReads* batch = nullptr);
    void Run(RpcOutcome& outcome, const nlohmann::json& request, const std::string& operatorCode,
             const RemoteModule& module, CallConnection& connection, AnswerBudget& answer, BatchReads* batch);
    void HandleBatch(const nlohmann::json& batch, const std::string& operatorCode, const RemoteModule& module,
                     AnswerBudget& answer, std::vector<RpcOutcome>& outcomes);
    // Fills the outcome with an error and returns false when the envelope is not a valid request.
    static bool CheckEnvelope(RpcOutcome& outcome, const nlohmann::json& request,
                              std::span<const protocol::MethodInfo> methods);
    static bool IsRead(const nlohmann::json& call, const RemoteModule& module);
    static bool OnlyReads(const nlohmann::json& batch, const RemoteModule& module);
    // Replaces the answer by one error for the whole request, each call recorded as refused by it.
    static void RefuseWhole(RpcReply& reply, const nlohmann::json& id, int code, const std::string& message,
                            const char* kind);

    // The Login call's answer, once its envelope is known to be right.
    void RunSignIn(RpcOutcome& outcome, const nlohmann::json& request, const std::string& client);

    sqldb::ConnectionPool& m_pool;
    std::size_t m_maxBatch;
    std::chrono::minutes m_sessionLifetime;
    std::chrono::minutes m_sessionIdle;
    LockoutPolicy m_lockout;
    GuessLimiter m_guesses;
    CallLimits m_limits;
    std::size_t m_maxAnswerBytes;
    bool m_sharesBatchReads; // batches of reads share set-based reads (PostgreSQL)
    TokenCache m_tokens;
    SharedWork::Post m_post;
    std::size_t m_helpers = 0;
};

} // namespace pedserver
