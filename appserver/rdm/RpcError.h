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
