#pragma once

#include "protocol/ErrorCodes.h"

#include <stdexcept>
#include <string>

namespace pedclient {

// A failed call: what() is the Portuguese text to show the operator. Code() is the server's
// JSON-RPC error code, or one of the client's own (protocol/ErrorCodes.h) when no usable answer
// came back.
class RpcClientError : public std::runtime_error {
public:
    // The client-side codes, for the callers that name them as the error's.
    static constexpr int Unavailable = protocol::errors::Unavailable;
    static constexpr int NoAnswer = protocol::errors::NoAnswer;
    static constexpr int BadAnswer = protocol::errors::BadAnswer;
    static constexpr int TlsFailed = protocol::errors::TlsFailed;
    static constexpr int OutcomeUnknown = protocol::errors::OutcomeUnknown;

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
