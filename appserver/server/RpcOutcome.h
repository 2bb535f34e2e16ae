#pragma once

#include "server/JsonRpc.h"

#include <nlohmann/json.hpp>
#include <string>

namespace pedserver {

// What one JSON-RPC request came to: the HTTP answer and what the request log and the metrics
// record about it.
struct RpcOutcome {
    int httpStatus = 200;
    nlohmann::json body;            // the answer, or only its id when `result` holds it
    std::string result;             // a call's result as JSON text, once it succeeded
    std::string method = "-";       // until the request names a method the server knows
    std::string operatorCode = "-"; // until the token is accepted
    std::string client = "-";       // the client's address (behind a trusted proxy, the one it names)
    std::string event;              // a sign-in event to log on a line of its own, or none
    std::string outcome;            // ok, refused, invalid, limit, timeout, busy, unauthorized, expired, internal
    std::string detail;             // for the log only: the reason of a failure, never sent to the client
    double seconds = 0.0;           // time spent on the call
    bool changedData = false;       // a command that went through (its answer is a status)

    // Appends the answer's text.
    void AppendAnswerTo(std::string& text) const {
        if (result.empty())
            text += JsonRpc::Serialize(body);
        else
            JsonRpc::AppendResultText(text, body["id"], result);
    }
};

} // namespace pedserver
