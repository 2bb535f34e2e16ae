#pragma once

#include "protocol/ErrorCodes.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace pedserver {

namespace RpcCode = ::protocol::errors;

// A failure the operator reads: what() is the Portuguese message, Code() the JSON-RPC error code,
// Detail() what the request log says of it when that is more than the message.
class RpcError : public std::runtime_error {
public:
    RpcError(int code, std::string message, std::string detail = {})
        : std::runtime_error(std::move(message)), m_code(code), m_detail(std::move(detail)) {}
    int Code() const { return m_code; }
    const std::string& Detail() const { return m_detail; }

private:
    int m_code;
    std::string m_detail;
};

} // namespace pedserver
