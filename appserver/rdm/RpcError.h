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
// A call past one of the server's limits, each with its code so that a client can tell them apart.
constexpr int PeriodTooLong = 4;
constexpr int TooManyRows = 5;
constexpr int AnswerTooLarge = 6;
constexpr int ListTooLong = 7;
constexpr int StatementTimeout = 8;
constexpr int ServerBusy = 9;
// A lookup statement the server does not run.
constexpr int LookupRefused = 10;
} // namespace RpcCode

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
