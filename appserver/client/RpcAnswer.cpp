#include "RpcAnswer.h"

#include "JsonDepth.h"
#include "RpcClientError.h"

namespace pedclient {

nlohmann::json ResultOfAnswer(RpcAnswer answer, std::int64_t id, const std::string& address,
                              std::size_t maxDepth) {
    const auto bad = [&](const std::string& why) {
        std::string message = "Resposta inválida do servidor de aplicação em " + address;
        if (answer.status != 200)
            message += " (HTTP " + std::to_string(answer.status) + ")";
        return RpcClientError(RpcClientError::BadAnswer, message + why + ".", answer.status);
    };
    if (NestsDeeperThan(answer.body, maxDepth))
        throw bad(": dados aninhados em mais de " + std::to_string(maxDepth) + " níveis");
    nlohmann::json parsed = nlohmann::json::parse(answer.body, nullptr, false);
    answer.body = std::string(); // the text is no longer needed; do not hold both at once
    if (!parsed.is_object())
        throw bad("");
    if (const auto error = parsed.find("error"); error != parsed.end()) {
        if (!error->is_object() || !error->value("code", nlohmann::json()).is_number_integer() ||
            !error->value("message", nlohmann::json()).is_string())
            throw bad("");
        throw RpcClientError((*error)["code"].get<int>(), (*error)["message"].get<std::string>(),
                             answer.status);
    }
    const auto result = parsed.find("result");
    if (answer.status != 200 || result == parsed.end() || parsed.value("id", nlohmann::json()) != id)
        throw bad("");
    return std::move(*result);
}

} // namespace pedclient
