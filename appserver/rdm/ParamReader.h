#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace pedserver {

// Reads the positional JSON-RPC parameters of one call; every mistake is an RpcError with
// InvalidParams and a message naming the parameter.
class ParamReader {
public:
    ParamReader(const nlohmann::json& params, std::string_view method, std::size_t expected);

    // A text of at most maxChars characters.
    std::string Text(std::size_t index, std::string_view name, std::size_t maxChars) const;
    // "T" or the empty text.
    bool AllFlag(std::size_t index, std::string_view name) const;
    // "YYYY-MM-DD" of a real calendar day, or nothing for null.
    std::optional<std::string> Date(std::size_t index, std::string_view name) const;
    // A data packet object.
    const nlohmann::json& Packet(std::size_t index, std::string_view name) const;

private:
    const nlohmann::json& At(std::size_t index) const { return m_params[index]; }
    [[noreturn]] void Fail(std::size_t index, std::string_view name, const std::string& problem) const;

    const nlohmann::json& m_params;
};

} // namespace pedserver
