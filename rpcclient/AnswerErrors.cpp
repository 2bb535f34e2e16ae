#include "AnswerErrors.h"

namespace pedclient {

RpcClientError BadAnswerError(int status, const std::string& address, const std::string& why) {
    std::string message = "Resposta inválida do servidor de aplicação em " + address;
    if (status != 200)
        message += " (HTTP " + std::to_string(status) + ")";
    return RpcClientError(RpcClientError::BadAnswer, message + why + ".", status);
}

RpcClientError ErrorOfAnswer(const nlohmann::json& error, int status, const std::string& address) {
    if (!error.is_object() || !error.value("code", nlohmann::json()).is_number_integer() ||
        !error.value("message", nlohmann::json()).is_string())
        return BadAnswerError(status, address, "");
    return RpcClientError(error["code"].get<int>(), error["message"].get<std::string>(), status);
}

} // namespace pedclient
