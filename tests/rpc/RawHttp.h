#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace rpctest {

// One HTTP answer as read off a raw connection.
struct RawAnswer {
    int status = 0;
    std::string head; // status line and header fields
    std::string body;
};

// A plain TCP connection to a loopback port, for requests no HTTP library would send: partial,
// dripping, pipelined or oversized. Reads are bounded by a deadline.
class RawConnection {
public:
    // `from`: the loopback address the connection comes from (127.0.0.0/8 are all this machine).
    explicit RawConnection(int port, const std::string& from = "127.0.0.1");
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    // False when the server closed the connection or the write failed.
    bool Send(const std::string& data);
    // The next answer (Content-Length framed), or nothing when none came whole before the deadline.
    std::optional<RawAnswer> Read(std::chrono::milliseconds timeout);
    // Whether the server closed the connection within the timeout.
    bool ClosedWithin(std::chrono::milliseconds timeout);

private:
    int m_fd = -1;
    std::string m_pending;
};

// The resident memory of a process, in KiB.
long ResidentKiB(int pid);

} // namespace rpctest
