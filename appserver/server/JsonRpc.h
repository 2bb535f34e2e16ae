#pragma once

#include "protocol/JsonText.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

namespace pedserver::JsonRpc {

inline nlohmann::json Result(const nlohmann::json& id, nlohmann::json result) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

inline nlohmann::json Error(const nlohmann::json& id, int code, const std::string& message) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

// Appends a call's answer around its result, already JSON text; keys in the order of Serialize.
inline void AppendResultText(std::string& text, const nlohmann::json& id, const std::string& result) {
    text += R"({"id":)";
    // Ids are nearly always counters: written without the JSON writer.
    if (id.is_number_unsigned())
        text += std::to_string(id.get<std::uint64_t>());
    else if (id.is_number_integer())
        text += std::to_string(id.get<std::int64_t>());
    else
        text += protocol::JsonText(id);
    text += R"(,"jsonrpc":"2.0","result":)";
    text += result;
    text += '}';
}

// The answer's text (invalid UTF-8 from the database goes out as U+FFFD).
inline std::string Serialize(const nlohmann::json& answer) {
    return protocol::JsonText(answer);
}

} // namespace pedserver::JsonRpc
