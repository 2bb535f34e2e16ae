#pragma once

#include "sqldb/Connection.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace pedserver {

// A token as the sign-in answers it: the secret once, and when it ends at the latest.
struct IssuedToken {
    std::string secret;
    std::string expires; // stored timestamp; "" for a machine token without an end
};

// Issues a random machine token for an existing operator ('M'), optionally ending after some
// days and with a label for `token list`; only its SHA-256 hash is stored. Throws
// std::invalid_argument for an unknown operator.
IssuedToken IssueToken(sqldb::Connection& connection, const std::string& operatorCode,
                       std::optional<int> days = std::nullopt, const std::string& label = {});

// Issues a sign-in session ('S') that ends after `lifetime`, or after `idle` without use.
IssuedToken IssueSession(sqldb::Connection& connection, const std::string& operatorCode,
                         std::chrono::minutes lifetime);

// What a presented token is worth now: sessions and machine tokens go through this one check.
struct TokenCheck {
    enum class Status { Valid, Unknown, Expired } status = Status::Unknown;
    std::string operatorCode;
    std::string expires; // stored timestamp, or "" for none
};
// A revoked token is Unknown, one past its end or (a session) idle past `idle` is Expired. A
// valid token's last use is written when it is a minute old or more, so a busy token costs no
// write per request.
TokenCheck CheckToken(sqldb::Connection& connection, const std::string& token, std::chrono::minutes idle);

// The operator a token belongs to, or nothing for a token that is not valid now.
std::optional<std::string> OperatorForToken(sqldb::Connection& connection, const std::string& token);

// A token as `token list` shows it: never its secret or hash.
struct TokenInfo {
    long long id = 0;
    std::string kind; // "machine" or "session"
    std::string operatorCode;
    std::string label, created, expires, lastUsed, revoked;
};
std::vector<TokenInfo> ListTokens(sqldb::Connection& connection);

// Ends a token by its id; the operator it was for, or nothing for an unknown or revoked id.
std::optional<std::string> RevokeToken(sqldb::Connection& connection, long long id);

} // namespace pedserver
