#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace testkit {

// A loopback HTTP server that reads each request and then answers it the way a broken or
// hostile server would, for the client's defences. One connection at a time.
class MisbehavingServer {
public:
    enum class Behaviour {
        DeepNesting,   // a JSON-RPC answer whose result nests 100,000 arrays
        EndlessChunks, // a chunked answer that never ends
        HugeLength,    // Content-Length of a terabyte, then data for as long as it is read
        DripFeed,      // a good answer, one byte every 100 ms
    };

    explicit MisbehavingServer(Behaviour behaviour);
    ~MisbehavingServer();
    MisbehavingServer(const MisbehavingServer&) = delete;
    MisbehavingServer& operator=(const MisbehavingServer&) = delete;

    int Port() const { return m_port; }

private:
    void Serve();
    void Answer(int connection);
    // Sends all of `data` unless the peer goes away or the server stops; false then.
    bool SendAll(int connection, const std::string& data);

    Behaviour m_behaviour;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping = false;
    std::thread m_thread;
};

} // namespace testkit
