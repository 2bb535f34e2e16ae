#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace pedserver::JsonRpc {

// Transport-level error codes; the method-level ones (invalid params, refusals) live in RpcCode.
constexpr int ParseError = -32700;
constexpr int InvalidRequest = -32600;
constexpr int InternalError = -32603;
constexpr int Unauthorized = 2;
// Sign-in: a session past its end, a refused sign-in, an address sending too many bad credentials.
constexpr int SessionExpired = 11;
constexpr int SignInRefused = 12;
constexpr int TooManyAttempts = 13;

inline nlohmann::json Result(const nlohmann::json& id, nlohmann::json result) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

inline nlohmann::json Error(const nlohmann::json& id, int code, const std::string& message) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

// The answer's text. Texts read from the database may hold bytes that are not UTF-8 (SQLite
// stores whatever it was given); they go out as U+FFFD instead of failing the whole answer.
inline std::string Serialize(const nlohmann::json& answer) {
    return answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace pedserver::JsonRpc
