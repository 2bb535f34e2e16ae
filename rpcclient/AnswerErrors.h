#pragma once

#include "RpcClientError.h"

#include <nlohmann/json.hpp>
#include <string>

namespace pedclient {

// "Resposta inválida do servidor de aplicação em ADDRESS (HTTP status)WHY."
RpcClientError BadAnswerError(int status, const std::string& address, const std::string& why);
// The server's "error" value as an exception with its code and message; a malformed one is a bad
// answer.
RpcClientError ErrorOfAnswer(const nlohmann::json& error, int status, const std::string& address);

} // namespace pedclient
