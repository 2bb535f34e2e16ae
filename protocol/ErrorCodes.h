#pragma once

// Every error code a call can end with, the server's and the client's, so that both ends and the
// documentation's table read the same numbers.
namespace protocol::errors {

// JSON-RPC's own codes.
inline constexpr int ParseError = -32700;
inline constexpr int InvalidRequest = -32600;
inline constexpr int MethodNotFound = -32601;
inline constexpr int InvalidParams = -32602;
inline constexpr int InternalError = -32603;

// The server's refusals: a rule of the method, no or a bad token, a right the operator lacks.
inline constexpr int Refused = 1;
inline constexpr int Unauthorized = 2;
inline constexpr int Forbidden = 3;
// A call past one of the server's limits, each with its code so that a client can tell them apart.
inline constexpr int PeriodTooLong = 4;
inline constexpr int TooManyRows = 5;
inline constexpr int AnswerTooLarge = 6;
inline constexpr int ListTooLong = 7;
inline constexpr int StatementTimeout = 8;
inline constexpr int ServerBusy = 9;
// A lookup statement the server does not run.
inline constexpr int LookupRefused = 10;
// Sign-in: a session past its end, a refused sign-in, an address sending too many bad credentials.
inline constexpr int SessionExpired = 11;
inline constexpr int SignInRefused = 12;
inline constexpr int TooManyAttempts = 13;

// The client's own, when no usable answer came back.
inline constexpr int Unavailable = -32090; // no connection to the server
inline constexpr int NoAnswer = -32091;    // connected, but no answer in time
inline constexpr int BadAnswer = -32092;   // an answer that is not JSON-RPC
inline constexpr int TlsFailed = -32093;   // no secure connection: certificate, name or handshake
// A Set call was sent but its answer never came: whether it was done is unknown.
inline constexpr int OutcomeUnknown = -32094;

} // namespace protocol::errors
