#pragma once

#include "protocol/JsonText.h"

#include <nlohmann/json.hpp>
#include <string>

namespace pedserver::JsonRpc {

inline nlohmann::json Result(const nlohmann::json& id, nlohmann::json result) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

inline nlohmann::json Error(const nlohmann::json& id, int code, const std::string& message) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

// A call's answer around its result, already JSON text; keys in the order of Serialize.
inline std::string ResultText(const nlohmann::json& id, const std::string& result) {
    return R"({"id":)" + id.dump() + R"(,"jsonrpc":"2.0","result":)" + result + "}";
}

// The answer's text (invalid UTF-8 from the database goes out as U+FFFD).
inline std::string Serialize(const nlohmann::json& answer) {
    return protocol::JsonText(answer);
}

} // namespace pedserver::JsonRpc
