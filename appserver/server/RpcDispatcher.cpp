#include "server/RpcDispatcher.h"

#include "protocol/RemoteModules.h"
#include "rdm/MethodCall.h"
#include "rdm/Methods.h"
#include "rdm/ParamReader.h"
#include "rdm/RpcError.h"
#include "server/JsonNesting.h"
#include "server/JsonRpc.h"
#include "server/SideBySideReads.h"
#include "sqldb/PoolBusy.h"
#include "sqldb/StatementTimeout.h"
#include "storage/Passwords.h"
#include "storage/Timestamps.h"
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

const std::string kBusy = "Servidor de aplicação ocupado: tente novamente em instantes.";
const std::string kTooManyAttempts =
    "Tentativas de acesso demais deste endereço: aguarde um pouco e tente de novo.";
constexpr std::size_t kMaxPasswordChars = 128;

std::string SignInRefusal(const LockoutPolicy& policy) {
    return "Operador ou senha inválidos. Após " + std::to_string(policy.failures) +
           " tentativas sem sucesso em " + std::to_string(policy.window.count()) +
           " minutos, o acesso fica bloqueado por " + std::to_string(policy.lockout.count()) + " minutos.";
}

std::string TimeoutMessage(std::chrono::milliseconds limit) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit).count();
    return "A consulta ao banco de dados passou de " + std::to_string(seconds > 0 ? seconds : 1) +
           " s, o tempo limite do servidor: tente novamente ou restrinja o filtro.";
}

const char* OutcomeOf(int code) {
    switch (code) {
    case RpcCode::InvalidParams:
    case RpcCode::MethodNotFound:
        return "invalid";
    case RpcCode::PeriodTooLong:
    case RpcCode::TooManyRows:
    case RpcCode::AnswerTooLarge:
    case RpcCode::ListTooLong:
        return "limit";
    default:
        return "refused";
    }
}

} // namespace

RpcDispatcher::RpcDispatcher(sqldb::ConnectionPool& pool, const ServerOptions& options)
    : m_pool(pool), m_maxBatch(options.maxBatch), m_sessionLifetime(std::chrono::hours(options.sessionHours)),
      m_sessionIdle(options.sessionIdleMinutes), m_lockout(options.lockout),
      m_guesses(options.authBurst, options.authPerMinute), m_limits(options.calls),
      m_maxAnswerBytes(options.maxAnswerBytes),
      m_sharesBatchReads(sqldb::Connection::BackendOf(pool.Url()) == sqldb::Backend::Postgres),
      m_tokens(std::chrono::seconds(options.tokenCacheSeconds)) {}

std::optional<std::string> RpcDispatcher::Authenticate(std::string_view authorization,
                                                       const std::string& client, RpcOutcome& refusal) {
    refusal.client = client;
    const std::optional<std::string> token = BearerToken(authorization);
    if (!token) {
        Fail(refusal, 401, nullptr, RpcCode::Unauthorized, "Token de acesso ausente.", "unauthorized");
        return std::nullopt;
    }
    if (std::optional<std::string> known = m_tokens.Find(*token))
        return known;
    if (!m_guesses.Allows(client)) {
        Fail(refusal, 429, nullptr, RpcCode::TooManyAttempts, kTooManyAttempts, "unauthorized");
        return std::nullopt;
    }
    try {
        sqldb::Lease lease = m_pool.Acquire();
        const TokenCheck check = CheckToken(*lease, *token, m_sessionIdle);
        if (check.status == TokenCheck::Status::Valid) {
            m_tokens.Keep(*token, check.operatorCode);
            return check.operatorCode;
        }
        if (check.status == TokenCheck::Status::Expired) {
            Fail(refusal, 401, nullptr, RpcCode::SessionExpired, "Sua sessão expirou. Entre novamente.",
                 "expired");
            refusal.operatorCode = check.operatorCode;
            refusal.event = "session-expired";
            return std::nullopt;
        }
        Fail(refusal, 401, nullptr, RpcCode::Unauthorized, "Token de acesso inválido.", "unauthorized");
        if (m_guesses.Failed(client))
            refusal.event = "slowed";
        return std::nullopt;
    } catch (const sqldb::PoolBusy& error) {
        Fail(refusal, 503, nullptr, RpcCode::ServerBusy, kBusy, "busy");
        refusal.detail = error.what();
        return std::nullopt;
    } catch (const std::exception& error) {
        Fail(refusal, 500, nullptr, RpcCode::InternalError, "Erro interno do servidor.", "internal");
        refusal.detail = error.what();
        return std::nullopt;
    }
}

RpcReply RpcDispatcher::SignIn(std::string_view body, const std::string& client) {
    RpcReply reply;
    RpcOutcome outcome;
    outcome.client = client;
    const auto start = std::chrono::steady_clock::now();
    const nlohmann::json request =
        NestingWithin(body, MaxNesting) ? nlohmann::json::parse(body, nullptr, false) : nlohmann::json();
    const bool signIn =
        request.is_object() && request.value("method", nlohmann::json()) == protocol::LoginMethod;
    if (!signIn)
        Fail(outcome, 401, nullptr, RpcCode::Unauthorized, "Token de acesso ausente.", "unauthorized");
    else if (CheckEnvelope(outcome, request, protocol::SignInMethods))
        RunSignIn(outcome, request, client);
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    reply.httpStatus = outcome.httpStatus;
    reply.body = JsonRpc::Serialize(outcome.body);
    reply.calls.push_back(std::move(outcome));
    return reply;
}

void RpcDispatcher::RunSignIn(RpcOutcome& outcome, const nlohmann::json& request, const std::string& client) {
    const nlohmann::json& id = request["id"];
    try {
        const ParamReader reader(request["params"], protocol::LoginMethod, 2);
        const std::string operatorCode = reader.Text(0, "operador", Size::Operador);
        const std::string password = reader.Text(1, "senha", kMaxPasswordChars);
        outcome.operatorCode = operatorCode.empty() ? "-" : operatorCode;
        if (!m_guesses.Allows(client)) {
            Fail(outcome, 429, id, RpcCode::TooManyAttempts, kTooManyAttempts, "unauthorized");
            return;
        }
        sqldb::Lease lease = m_pool.Acquire();
        const PasswordCheck check = CheckPassword(*lease, operatorCode, password, m_lockout);
        if (check == PasswordCheck::Accepted) {
            const IssuedToken session = IssueSession(*lease, operatorCode, m_sessionLifetime);
            outcome.body =
                JsonRpc::Result(id, {{"token", session.secret}, {"expires", IsoDateTime(session.expires)}});
            outcome.outcome = "ok";
            outcome.event = "signin";
            return;
        }
        Fail(outcome, 200, id, RpcCode::SignInRefused, SignInRefusal(m_lockout), "refused");
        outcome.event = check == PasswordCheck::LockedOut ? "lockout" : "signin-refused";
        outcome.detail = check == PasswordCheck::StillLockedOut ? "locked out" : "";
        m_guesses.Failed(client);
    } catch (const RpcError& error) {
        Fail(outcome, 200, id, error.Code(), error.what(), "invalid");
    } catch (const sqldb::PoolBusy& error) {
        Fail(outcome, 503, id, RpcCode::ServerBusy, kBusy, "busy");
        outcome.detail = error.what();
    } catch (const std::exception& error) {
        Fail(outcome, 500, id, RpcCode::InternalError, "Erro interno do servidor.", "internal");
        outcome.detail = error.what();
    }
}

RpcReply RpcDispatcher::Handle(std::string_view body, const std::string& operatorCode,
                               const RemoteModule& module) {
    AnswerBudget answer(m_maxAnswerBytes);
    RpcReply reply = Answer(body, operatorCode, module, answer);
    const bool changed = std::any_of(reply.calls.begin(), reply.calls.end(),
                                     [](const RpcOutcome& call) { return call.changedData; });
    // Nothing half-sent: an answer past its budget goes as one refusal, unless that would hide a
    // change already made, whose small result then goes with the other calls' refusals.
    if ((answer.Exceeded() || reply.body.size() > answer.Limit()) && !changed) {
        const nlohmann::json id = reply.calls.size() == 1 && reply.calls[0].body.is_object()
                                      ? reply.calls[0].body.value("id", nlohmann::json())
                                      : nlohmann::json();
        RefuseWhole(reply, id, RpcCode::AnswerTooLarge, AnswerBudget::Refusal(answer.Limit()), "limit");
    }
    if (!reply.calls.empty() && std::all_of(reply.calls.begin(), reply.calls.end(),
                                            [](const RpcOutcome& call) { return call.outcome == "busy"; }))
        reply.httpStatus = 503; // nothing ran: the client may send it again, here or elsewhere
    return reply;
}

void RpcDispatcher::RefuseWhole(RpcReply& reply, const nlohmann::json& id, int code,
                                const std::string& message, const char* kind) {
    for (RpcOutcome& call : reply.calls) {
        call.outcome = kind;
        call.detail = message;
    }
    reply.httpStatus = 200;
    reply.body = JsonRpc::Serialize(JsonRpc::Error(id, code, message));
}

RpcReply RpcDispatcher::Answer(std::string_view body, const std::string& operatorCode,
                               const RemoteModule& module, AnswerBudget& answer) {
    RpcReply reply;
    if (!NestingWithin(body, MaxNesting)) {
        RpcOutcome nested;
        Fail(nested, 400, nullptr, RpcCode::InvalidRequest,
             "Requisição com JSON aninhado em mais de " + std::to_string(MaxNesting) + " níveis.", "invalid");
        nested.operatorCode = operatorCode;
        reply.httpStatus = 400;
        reply.body = JsonRpc::Serialize(nested.body);
        reply.calls.push_back(std::move(nested));
        return reply;
    }
    const nlohmann::json request = nlohmann::json::parse(body, nullptr, false);
    const auto single = [&](RpcOutcome outcome) {
        outcome.operatorCode = operatorCode;
        reply.httpStatus = outcome.httpStatus;
        outcome.AppendAnswerTo(reply.body);
        reply.calls.push_back(std::move(outcome));
        return std::move(reply);
    };
    RpcOutcome envelope;
    if (request.is_discarded()) {
        Fail(envelope, 400, nullptr, RpcCode::ParseError, "Requisição com JSON inválido.", "invalid");
        return single(std::move(envelope));
    }
    if (!request.is_array()) {
        // A read's statements share one read transaction, as in a batch of reads.
        CallConnection connection(m_pool, IsRead(request, module));
        return single(HandleCall(request, operatorCode, module, connection, answer));
    }
    if (request.empty() || request.size() > m_maxBatch) {
        Fail(envelope, 400, nullptr, RpcCode::InvalidRequest,
             request.empty() ? std::string("Requisição em lote vazia.")
                             : "Lote com chamadas demais: o limite é de " + std::to_string(m_maxBatch) + ".",
             "invalid");
        return single(std::move(envelope));
    }
    HandleBatch(request, operatorCode, module, answer, reply.calls);
    // Room for every result and, roughly, the envelope around it, so the answer grows once.
    constexpr std::size_t aroundResult = 64;
    std::size_t size = 2;
    for (const RpcOutcome& call : reply.calls)
        size += call.result.size() + aroundResult;
    reply.body.reserve(size);
    reply.body += '[';
    for (std::size_t i = 0; i < reply.calls.size(); ++i) {
        if (i > 0)
            reply.body += ',';
        reply.calls[i].AppendAnswerTo(reply.body);
        reply.calls[i].result.clear(); // the answer holds it now
    }
    reply.body += ']';
    return reply;
}

void RpcDispatcher::HandleBatch(const nlohmann::json& batch, const std::string& operatorCode,
                                const RemoteModule& module, AnswerBudget& answer,
                                std::vector<RpcOutcome>& outcomes) {
    outcomes.resize(batch.size());
    if (!OnlyReads(batch, module)) {
        // Commands keep their order, each in its own transaction.
        CallConnection connection(m_pool, false);
        for (std::size_t i = 0; i < batch.size(); ++i)
            outcomes[i] = HandleCall(batch[i], operatorCode, module, connection, answer);
        return;
    }
    // On PostgreSQL, a statement away by a round trip and a plan, the batch's per-order reads run
    // as set-based statements shared by its calls; SQLite reads in-process, where sharing the
    // reads under the batch's lock costs more than the statements it saves (measured).
    BatchReads reads(batch);
    BatchReads* shared = m_sharesBatchReads ? &reads : nullptr;
    SharedWork::Run(batch.size(), m_helpers, m_post, [&](const SharedWork::Next& next, bool helper) {
        CallConnection connection(m_pool, true);
        // A helper takes no call it would have to wait for a connection for: the handling thread
        // does the rest.
        if (helper && !connection.TryAcquire())
            return;
        while (const std::optional<std::size_t> i = next())
            outcomes[*i] = HandleCall(batch[*i], operatorCode, module, connection, answer, shared);
    });
}

void RpcDispatcher::ShareReadBatches(SharedWork::Post post, std::size_t helpers) {
    m_post = std::move(post);
    m_helpers = helpers;
}

bool RpcDispatcher::IsRead(const nlohmann::json& call, const RemoteModule& module) {
    const auto method = call.is_object() ? call.find("method") : call.end();
    return method != call.end() && method->is_string() &&
           module.IsReadOnly(method->get_ref<const std::string&>());
}

bool RpcDispatcher::OnlyReads(const nlohmann::json& batch, const RemoteModule& module) {
    return std::all_of(batch.begin(), batch.end(),
                       [&](const nlohmann::json& call) { return IsRead(call, module); });
}

RpcOutcome RpcDispatcher::HandleCall(const nlohmann::json& request, const std::string& operatorCode,
                                     const RemoteModule& module, CallConnection& connection,
                                     AnswerBudget& answer, BatchReads* batch) {
    const auto start = std::chrono::steady_clock::now();
    RpcOutcome outcome;
    outcome.operatorCode = operatorCode;
    const auto id = [&] {
        return outcome.body.is_object() ? outcome.body.value("id", nlohmann::json()) : nullptr;
    };
    try {
        Run(outcome, request, operatorCode, module, connection, answer, batch);
    } catch (const sqldb::StatementTimeout& error) {
        connection.AfterFailure();
        Fail(outcome, 200, id(), RpcCode::StatementTimeout,
             TimeoutMessage(m_pool.Settings().statementTimeout), "timeout");
        outcome.detail = error.what();
    } catch (const sqldb::PoolBusy& error) {
        Fail(outcome, 503, id(), RpcCode::ServerBusy, kBusy, "busy");
        outcome.detail = error.what();
    } catch (const std::exception& error) {
        connection.AfterFailure();
        Fail(outcome, 500, id(), RpcCode::InternalError, "Erro interno do servidor.", "internal");
        outcome.detail = error.what();
    }
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

void RpcDispatcher::Run(RpcOutcome& outcome, const nlohmann::json& request, const std::string& operatorCode,
                        const RemoteModule& module, CallConnection& connection, AnswerBudget& answer,
                        BatchReads* batch) {
    if (!CheckEnvelope(outcome, request, module.Methods)) {
        return;
    }
    const nlohmann::json& id = request["id"];
    // Keep the id so that an internal failure below still answers with it.
    outcome.body = {{"id", id}};
    try {
        // An answer already past its budget takes no more work.
        if (answer.Exceeded())
            throw RpcError(RpcCode::AnswerTooLarge, AnswerBudget::Refusal(answer.Limit()));
        const ReadParts readParts = [&](std::size_t parts, const PartRead& read) {
            SideBySideReads::Run(m_pool, m_helpers, m_post, connection, parts, read);
        };
        MethodResult result =
            module.Call(outcome.method, MethodCall{connection.Get(), request["params"], operatorCode,
                                                   m_limits, answer, batch, &readParts});
        outcome.changedData = result.ChangedData();
        outcome.result = result.TakeText();
        outcome.outcome = "ok";
    } catch (const RpcError& error) {
        connection.AfterFailure();
        Fail(outcome, 200, id, error.Code(), error.what(), OutcomeOf(error.Code()));
        if (!error.Detail().empty())
            outcome.detail = error.Detail();
    }
}

bool RpcDispatcher::CheckEnvelope(RpcOutcome& outcome, const nlohmann::json& request,
                                  std::span<const protocol::MethodInfo> methods) {
    const auto invalid = [&](const std::string& why) {
        const nlohmann::json id = request.is_object() && request.contains("id") && IsValidId(request["id"])
                                      ? request["id"]
                                      : nlohmann::json();
        Fail(outcome, 400, id, RpcCode::InvalidRequest, "Requisição JSON-RPC inválida: " + why, "invalid");
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
    if (!protocol::FindMethod(methods, method)) {
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
