#include "server/RpcDispatcher.h"

#include "rdm/RpcError.h"
#include "server/JsonRpc.h"
#include "storage/Tokens.h"

#include <cctype>
#include <exception>
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

RpcOutcome RpcDispatcher::Handle(std::string_view body, std::string_view authorization,
                                 const RemoteModule& module) {
    RpcOutcome outcome;
    try {
        Dispatch(outcome, body, authorization, module);
    } catch (const std::exception& error) {
        const nlohmann::json id =
            outcome.body.is_object() ? outcome.body.value("id", nlohmann::json()) : nullptr;
        Fail(outcome, 500, id, JsonRpc::InternalError, "Erro interno do servidor.", "internal");
        outcome.detail = error.what();
    }
    return outcome;
}

void RpcDispatcher::Dispatch(RpcOutcome& outcome, std::string_view body, std::string_view authorization,
                             const RemoteModule& module) {
    const std::optional<std::string> token = BearerToken(authorization);
    if (!token) {
        return Fail(outcome, 401, nullptr, JsonRpc::Unauthorized, "Token de acesso ausente.", "unauthorized");
    }
    sqldb::Lease lease = m_pool.Acquire();
    const std::optional<std::string> tokenOperator = OperatorForToken(*lease, *token);
    if (!tokenOperator) {
        return Fail(outcome, 401, nullptr, JsonRpc::Unauthorized, "Token de acesso inválido.",
                    "unauthorized");
    }
    outcome.operatorCode = *tokenOperator;

    const nlohmann::json request = nlohmann::json::parse(body, nullptr, false);
    if (request.is_discarded()) {
        return Fail(outcome, 400, nullptr, JsonRpc::ParseError, "Requisição com JSON inválido.", "invalid");
    }
    if (!CheckEnvelope(outcome, request, module)) {
        return;
    }
    const nlohmann::json& id = request["id"];
    // Keep the id so that an internal failure below still answers with it.
    outcome.body = {{"id", id}};
    try {
        nlohmann::json result = module.Call(*lease, outcome.method, request["params"], *tokenOperator);
        outcome.body = JsonRpc::Result(id, std::move(result));
        outcome.outcome = "ok";
    } catch (const RpcError& error) {
        const bool invalid =
            error.Code() == RpcCode::InvalidParams || error.Code() == RpcCode::MethodNotFound;
        Fail(outcome, 200, id, error.Code(), error.what(), invalid ? "invalid" : "refused");
    }
}

bool RpcDispatcher::CheckEnvelope(RpcOutcome& outcome, const nlohmann::json& request,
                                  const RemoteModule& module) {
    if (request.is_array()) {
        Fail(outcome, 400, nullptr, JsonRpc::InvalidRequest, "Requisições em lote não são aceitas.",
             "invalid");
        return false;
    }
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
