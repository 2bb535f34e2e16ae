#pragma once

#include "server/RpcOutcome.h"

#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

namespace pedserver {

// One logfmt line per JSON-RPC request, e.g.
//   ts=2024-05-10T14:03:07.412Z method=GetPedido operator=DEMO ms=3.2 outcome=ok status=200
// Failures add error="...". Lines are written whole, so threads never interleave them.
class RequestLog {
public:
    explicit RequestLog(std::ostream& out) : m_out(out) {}

    void Write(const RpcOutcome& outcome, double milliseconds);

    // A value as logfmt wants it: bare when it is a simple word, otherwise quoted and escaped.
    // Control characters are escaped, so a client cannot forge a line break in the log.
    static std::string Quote(std::string_view value);

private:
    std::ostream& m_out;
    std::mutex m_mutex;
};

} // namespace pedserver
