#pragma once

#include "server/RpcOutcome.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

namespace pedserver {

// One logfmt line per JSON-RPC request, e.g.
//   ts=2024-05-10T14:03:07.412Z client=10.0.0.7 method=GetPedido operator=DEMO ms=3.2 outcome=ok status=200
// and one per sign-in event (event=signin, signin-refused, lockout, session-expired, slowed).
// Failures add error="...". Lines are written whole, so threads never interleave them. Lines are
// gathered in memory and written by a thread of the log's own within `flushDelay` of the first
// one, so a request never waits for the log's stream; what is left is written when the log goes
// away, so a clean stop loses nothing.
class RequestLog {
public:
    explicit RequestLog(std::ostream& out,
                        std::chrono::milliseconds flushDelay = std::chrono::milliseconds(100));
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    void Write(const RpcOutcome& outcome, double milliseconds);
    // ts=... event=NAME client=... operator=... and the outcome's detail when it has one.
    void WriteEvent(const RpcOutcome& outcome);

    // A value as logfmt wants it: bare when it is a simple word, otherwise quoted and escaped.
    // Control characters are escaped, so a client cannot forge a line break in the log.
    static std::string Quote(std::string_view value);

private:
    void WriteOut();
    void Append(std::string line);
    static void AppendQuoted(std::string& out, std::string_view value);
    // " key=" and the value quoted as Quote does.
    static void AppendField(std::string& line, std::string_view key, std::string_view value);

    std::ostream& m_out;
    const std::chrono::milliseconds m_flushDelay;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_pending;
    bool m_stopping = false;
    std::thread m_writer;
};

} // namespace pedserver
