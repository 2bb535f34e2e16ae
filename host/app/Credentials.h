#pragma once

#include <string>

namespace host {

// What an operator types to sign in.
struct Credentials {
    std::string OperatorCode;
    std::string Password;
};

} // namespace host
