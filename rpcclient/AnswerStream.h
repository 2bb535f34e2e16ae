#pragma once

#include "ResultSink.h"
#include "RpcAnswer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace pedclient {

// Where the "result" of one answer goes, so that no JSON tree of it is built. `arrival` counts the
// answers in the order the server wrote them, from 0.
using ResultSinks = std::function<ResultSink&(std::size_t arrival)>;

// One call's part of an answer read as a stream: the arrival index of the sink its result went
// to, or the error the server gave it.
struct StreamedAnswer {
    bool ok = false;
    std::size_t arrival = 0;
    int code = 0;
    std::string message;
};

// The same checks as ResultsOfBatchAnswer (ids, missing answers, the server's refusal of the whole
// batch, nesting deeper than `maxDepth`), on the answer's text read once as a stream: each
// result goes straight to its sink. A sink may throw to give up; the exception leaves the read.
std::vector<StreamedAnswer> StreamBatchAnswer(RpcAnswer answer, std::int64_t firstId, std::size_t count,
                                              const std::string& address, std::size_t maxDepth,
                                              const ResultSinks& sinks);

// The same for the answer to one call with `id`: its result goes to the sink of arrival 0; the
// server's error throws as RpcClientError with its code and message.
void StreamAnswer(RpcAnswer answer, std::int64_t id, const std::string& address, std::size_t maxDepth,
                  const ResultSinks& sinks);

} // namespace pedclient
