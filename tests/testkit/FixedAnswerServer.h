#pragma once

#include <memory>
#include <string>

namespace testkit {

// An HTTP server on a free loopback port that answers every request on the module's path with
// one fixed status and body, for clients facing answers a real server never gives.
class FixedAnswerServer {
public:
    explicit FixedAnswerServer(std::string body, int status = 200);
    ~FixedAnswerServer();
    FixedAnswerServer(const FixedAnswerServer&) = delete;
    FixedAnswerServer& operator=(const FixedAnswerServer&) = delete;

    int Port() const { return m_port; }

private:
    struct Serving;
    std::unique_ptr<Serving> m_serving;
    int m_port = 0;
};

} // namespace testkit
