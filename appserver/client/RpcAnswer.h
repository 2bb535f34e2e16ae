#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

namespace pedclient {

// One HTTP answer to a JSON-RPC call, as it came off the wire.
struct RpcAnswer {
    int status = 0;
    std::string body;
};

// Checks the answer to the call with `id` and returns its "result", moved out of the parsed
// tree. Throws RpcClientError: the server's own error, or BadAnswer naming `address` for
// anything that is not a JSON-RPC answer, including JSON nested deeper than `maxDepth`.
nlohmann::json ResultOfAnswer(RpcAnswer answer, std::int64_t id, const std::string& address,
                              std::size_t maxDepth);

} // namespace pedclient
