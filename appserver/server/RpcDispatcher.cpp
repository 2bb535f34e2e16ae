#include "server/RpcDispatcher.h"

#include "rdm/RpcError.h"
#include "server/JsonRpc.h"
#include "storage/Tokens.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace pedserver {

namespace {

constexpr std::string_view BearerPrefix = "Bearer ";

void Fail(RpcOutcome& outcome, int httpStatus, const nlohmann::json& id, int code, const std::string& message,
          const char* kind) {
    outcome.httpStatus = httpStatus;
    outcome.body = JsonRpc::Error(id, code, message);
    outcome.outcome = kind;
    outcome.detail = message;
}

// The scheme name is case-insensitive in HTTP; the token itself is compared exactly.
std::optional<std::string> BearerToken(std::string_view authorization) {
    if (authorization.size() < BearerPrefix.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < BearerPrefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(authorization[i])) !=
            std::tolower(static_cast<unsigned char>(BearerPrefix[i]))) {
            return std::nullopt;
        }
    }
    std::string token(authorization.substr(BearerPrefix.size()));
    if (token.empty()) {
        return std::nullopt;
    }
    return token;
}

bool IsValidId(const nlohmann::json& id) {
    return id.is_string() || id.is_number() || id.is_null();
}

} // namespace

std::optional<std::string> RpcDispatcher::Authenticate(std::string_view authorization, RpcOutcome& refusal) {
    const std::optional<std::string> token = BearerToken(authorization);
    if (!token) {
        Fail(refusal, 401, nullptr, JsonRpc::Unauthorized, "Token de acesso ausente.", "unauthorized");
        return std::nullopt;
    }
    if (std::optional<std::string> known = m_tokens.Find(*token))
        return known;
    try {
        sqldb::Lease lease = m_pool.Acquire();
        std::optional<std::string> tokenOperator = OperatorForToken(*lease, *token);
        if (!tokenOperator)
            Fail(refusal, 401, nullptr, JsonRpc::Unauthorized, "Token de acesso inválido.", "unauthorized");
        else
            m_tokens.Keep(*token, *tokenOperator);
        return tokenOperator;
    } catch (const std::exception& error) {
        Fail(refusal, 500, nullptr, JsonRpc::InternalError, "Erro interno do servidor.", "internal");
        refusal.detail = error.what();
        return std::nullopt;
    }
}

RpcReply RpcDispatcher::Handle(std::string_view body, const std::string& operatorCode,
                               const RemoteModule& module) {
    RpcReply reply;
    const nlohmann::json request = nlohmann::json::parse(body, nullptr, false);
    const auto single = [&](RpcOutcome outcome) {
        outcome.operatorCode = operatorCode;
        reply.httpStatus = outcome.httpStatus;
        reply.body = JsonRpc::Serialize(outcome.body);
        reply.calls.push_back(std::move(outcome));
        return std::move(reply);
    };
    RpcOutcome envelope;
    if (request.is_discarded()) {
        Fail(envelope, 400, nullptr, JsonRpc::ParseError, "Requisição com JSON inválido.", "invalid");
        return single(std::move(envelope));
    }
    if (!request.is_array()) {
        // A read's statements share one read transaction, as in a batch of reads.
        CallConnection connection(m_pool, IsRead(request, module));
        return single(HandleCall(request, operatorCode, module, connection));
    }
    if (request.empty() || request.size() > m_maxBatch) {
        Fail(envelope, 400, nullptr, JsonRpc::InvalidRequest,
             request.empty() ? std::string("Requisição em lote vazia.")
                             : "Lote com chamadas demais: o limite é de " + std::to_string(m_maxBatch) + ".",
             "invalid");
        return single(std::move(envelope));
    }
    HandleBatch(request, operatorCode, module, reply.calls);
    nlohmann::json answers = nlohmann::json::array();
    for (RpcOutcome& call : reply.calls)
        answers.push_back(std::move(call.body));
    reply.body = JsonRpc::Serialize(answers);
    return reply;
}

void RpcDispatcher::HandleBatch(const nlohmann::json& batch, const std::string& operatorCode,
                                const RemoteModule& module, std::vector<RpcOutcome>& outcomes) {
    outcomes.resize(batch.size());
    if (!OnlyReads(batch, module)) {
        // Commands keep their order, each in its own transaction.
        CallConnection connection(m_pool, false);
        for (std::size_t i = 0; i < batch.size(); ++i)
            outcomes[i] = HandleCall(batch[i], operatorCode, module, connection);
        return;
    }
    SharedWork::Run(batch.size(), m_helpers, m_post, [&](const SharedWork::Next& next) {
        CallConnection connection(m_pool, true);
        while (const std::optional<std::size_t> i = next())
            outcomes[*i] = HandleCall(batch[*i], operatorCode, module, connection);
    });
}

void RpcDispatcher::ShareReadBatches(SharedWork::Post post, std::size_t helpers) {
    m_post = std::move(post);
    m_helpers = helpers;
}

bool RpcDispatcher::IsRead(const nlohmann::json& call, const RemoteModule& module) {
    const auto method = call.is_object() ? call.find("method") : call.end();
    return method != call.end() && method->is_string() && module.IsReadOnly(method->get_ref<const std::string&>());
}

bool RpcDispatcher::OnlyReads(const nlohmann::json& batch, const RemoteModule& module) {
    return std::all_of(batch.begin(), batch.end(),
                       [&](const nlohmann::json& call) { return IsRead(call, module); });
}

RpcOutcome RpcDispatcher::HandleCall(const nlohmann::json& request, const std::string& operatorCode,
                                     const RemoteModule& module, CallConnection& connection) {
    const auto start = std::chrono::steady_clock::now();
    RpcOutcome outcome;
    outcome.operatorCode = operatorCode;
    try {
        Run(outcome, request, operatorCode, module, connection);
    } catch (const std::exception& error) {
        connection.AfterFailure();
        const nlohmann::json id =
            outcome.body.is_object() ? outcome.body.value("id", nlohmann::json()) : nullptr;
        Fail(outcome, 500, id, JsonRpc::InternalError, "Erro interno do servidor.", "internal");
        outcome.detail = error.what();
    }
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

void RpcDispatcher::Run(RpcOutcome& outcome, const nlohmann::json& request, const std::string& operatorCode,
                        const RemoteModule& module, CallConnection& connection) {
    if (!CheckEnvelope(outcome, request, module)) {
        return;
    }
    const nlohmann::json& id = request["id"];
    // Keep the id so that an internal failure below still answers with it.
    outcome.body = {{"id", id}};
    try {
        nlohmann::json result =
            module.Call(connection.Get(), outcome.method, request["params"], operatorCode);
        outcome.body = JsonRpc::Result(id, std::move(result));
        outcome.outcome = "ok";
    } catch (const RpcError& error) {
        connection.AfterFailure();
        const bool invalid =
            error.Code() == RpcCode::InvalidParams || error.Code() == RpcCode::MethodNotFound;
        Fail(outcome, 200, id, error.Code(), error.what(), invalid ? "invalid" : "refused");
    }
}

bool RpcDispatcher::CheckEnvelope(RpcOutcome& outcome, const nlohmann::json& request,
                                  const RemoteModule& module) {
    const auto invalid = [&](const std::string& why) {
        const nlohmann::json id = request.is_object() && request.contains("id") && IsValidId(request["id"])
                                      ? request["id"]
                                      : nlohmann::json();
        Fail(outcome, 400, id, JsonRpc::InvalidRequest, "Requisição JSON-RPC inválida: " + why, "invalid");
        return false;
    };
    if (!request.is_object()) {
        return invalid("o corpo deve ser um objeto JSON.");
    }
    if (request.value("jsonrpc", nlohmann::json()) != "2.0") {
        return invalid("o campo \"jsonrpc\" deve ser \"2.0\".");
    }
    if (!request.contains("id") || !IsValidId(request["id"])) {
        return invalid("o campo \"id\" é obrigatório (texto, número ou null).");
    }
    if (!request.contains("method") || !request["method"].is_string()) {
        return invalid("o campo \"method\" é obrigatório e deve ser texto.");
    }
    const std::string method = request["method"].get<std::string>();
    if (!module.HasMethod(method)) {
        // A long name is not echoed back: the answer should not grow with what the client sends.
        const std::string shown = method.size() <= 64 ? ": " + method : "";
        Fail(outcome, 200, request["id"], RpcCode::MethodNotFound, "Método desconhecido" + shown + ".",
             "invalid");
        return false;
    }
    outcome.method = method;
    if (!request.contains("params") || !request["params"].is_array()) {
        Fail(outcome, 200, request["id"], RpcCode::InvalidParams,
             "Parâmetros inválidos: \"params\" deve ser uma lista.", "invalid");
        return false;
    }
    return true;
}

} // namespace pedserver
