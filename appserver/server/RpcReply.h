#pragma once

#include "server/RpcOutcome.h"

#include <string>
#include <vector>

namespace pedserver {

// The HTTP answer to one POST of the JSON-RPC path, and one outcome per call it carried (a
// batch carries several) for the request log and the metrics.
struct RpcReply {
    int httpStatus = 200;
    std::string body;
    std::vector<RpcOutcome> calls;
};

} // namespace pedserver
