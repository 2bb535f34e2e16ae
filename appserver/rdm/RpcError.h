#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace pedserver {

namespace RpcCode {
constexpr int InvalidParams = -32602;
constexpr int MethodNotFound = -32601;
constexpr int Refused = 1;
constexpr int Forbidden = 3;
} // namespace RpcCode

// A failure the operator reads: what() is the Portuguese message, Code() the JSON-RPC error code.
class RpcError : public std::runtime_error {
public:
    RpcError(int code, std::string message) : std::runtime_error(std::move(message)), m_code(code) {}
    int Code() const { return m_code; }

private:
    int m_code;
};

} // namespace pedserver
