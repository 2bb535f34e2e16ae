#pragma once

namespace testkit {

// A TCP socket bound to a free loopback port. Bound only, connections to the port are refused;
// listening, the kernel completes them but nobody ever reads, so a client waits for an answer.
class LoopbackSocket {
public:
    explicit LoopbackSocket(bool listening);
    ~LoopbackSocket();
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    int Port() const { return m_port; }

private:
    int m_fd;
    int m_port = 0;
};

} // namespace testkit
