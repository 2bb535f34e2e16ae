#pragma once

#include "sqldb/Connection.h"

#include <chrono>
#include <string>

namespace pedserver {

// How many failed sign-ins of one operator within a window lock him out, and for how long. The
// count lives in the database, so it holds across every server of one database.
struct LockoutPolicy {
    int failures = 5;
    std::chrono::minutes window{15};
    std::chrono::minutes lockout{15};
};

// Sets an operator's password, stored as an Argon2id hash (libsodium's crypto_pwhash_str); his
// failures are forgotten. Throws std::invalid_argument for an unknown operator or an empty
// password.
void SetPassword(sqldb::Connection& connection, const std::string& operatorCode, const std::string& password);

// The outcome of a sign-in's password check.
enum class PasswordCheck {
    Accepted,
    Refused,       // unknown operator, no password set, or a wrong one
    LockedOut,     // a wrong one that locked the operator out
    StillLockedOut // the operator is locked out, whatever the password
};

// Checks the password and counts a failure against a known operator: once `failures` of them fall
// in `window`, sign-in is refused for `lockout`, even with the right password. An unknown operator
// costs the same hashing as a known one, so the time taken tells nothing either.
PasswordCheck CheckPassword(sqldb::Connection& connection, const std::string& operatorCode,
                            const std::string& password, const LockoutPolicy& policy);

} // namespace pedserver
