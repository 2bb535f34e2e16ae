#pragma once

#include <stdexcept>
#include <string>

namespace pedclient {

// A failed call: what() is the Portuguese text to show the operator. Code() is the server's
// JSON-RPC error code, or one of the client-side codes below when no usable answer came back.
class RpcClientError : public std::runtime_error {
public:
    static constexpr int Unavailable = -32090; // no connection to the server
    static constexpr int NoAnswer = -32091;    // connected, but no answer in time
    static constexpr int BadAnswer = -32092;   // an answer that is not JSON-RPC
    static constexpr int TlsFailed = -32093;   // no secure connection: certificate, name or handshake
    // A Set call was sent but its answer never came: whether it was done is unknown.
    static constexpr int OutcomeUnknown = -32094;

    // Whether the failure came before any of the request was sent, so another server may take it.
    static bool NotSent(int code) { return code == Unavailable || code == TlsFailed; }

    RpcClientError(int code, const std::string& message, int httpStatus = 0)
        : std::runtime_error(message), m_code(code), m_httpStatus(httpStatus) {}

    int Code() const { return m_code; }
    // The HTTP status of the answer, or 0 when there was none.
    int HttpStatus() const { return m_httpStatus; }

private:
    int m_code;
    int m_httpStatus;
};

} // namespace pedclient
