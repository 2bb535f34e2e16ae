#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

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

// One call's part of a batch answer: its result, or the error the server gave it.
struct BatchAnswer {
    bool ok = false;
    nlohmann::json result;
    int code = 0;
    std::string message;
};

// Checks the answer to a batch of `count` calls with the ids firstId, firstId + 1, ... and returns
// one part per call in the calls' order, whatever order the server answered in. An answer that is
// not a list (the server refused the whole batch) or that lacks a call throws as ResultOfAnswer.
std::vector<BatchAnswer> ResultsOfBatchAnswer(RpcAnswer answer, std::int64_t firstId, std::size_t count,
                                              const std::string& address, std::size_t maxDepth);

} // namespace pedclient
