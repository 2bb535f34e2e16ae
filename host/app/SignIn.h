#pragma once

#include "app/AppHostValues.h"

#include <string>

namespace host {

// Signs an operator in on the host's servers: Login(operator, password), which needs no token,
// answers a session's token, which becomes the host's (every later call goes out with it) along
// with the operator; the branch's name is read again under it. Returns "" when signed in, else
// the operator's message: the server's refusal, or why no server answered.
std::string SignIn(AppHostValues& values, const std::string& operatorCode, const std::string& password);

} // namespace host
