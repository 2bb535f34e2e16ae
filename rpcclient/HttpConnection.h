#pragma once

#include "RpcAnswer.h"
#include "TlsSettings.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace pedclient {

// One kept-alive HTTP/1.1 connection to the server (Boost.Beast kept out of this header). An
// exchange is bounded by one absolute deadline covering connect, send and the whole answer, so
// an answer that trickles in cannot stretch it; the answer's size is capped while it is read.
// Over TLS the server's certificate and name are checked before anything is sent.
class HttpConnection {
public:
    using Clock = std::chrono::steady_clock;

    struct Exchange {
        std::string target;
        std::string authorization;
        std::string body;
        Clock::time_point deadline;
        std::chrono::milliseconds connectTimeout;
        std::size_t maxAnswerBytes;
    };

    HttpConnection(std::string host, int port, TlsSettings tls = {});
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // Posts the body and returns the answer. Throws RpcClientError (Unavailable, TlsFailed,
    // NoAnswer, BadAnswer) with a Portuguese message naming HOST:PORT; the connection is dropped
    // then. Unavailable and TlsFailed mean that nothing of the request was sent.
    RpcAnswer Post(const Exchange& exchange);

    std::string Address() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace pedclient
