#include "RpcAnswer.h"

#include "JsonDepth.h"
#include "RpcClientError.h"

#include <algorithm>
#include <optional>

namespace pedclient {

namespace {

RpcClientError BadAnswer(const RpcAnswer& answer, const std::string& address, const std::string& why) {
    std::string message = "Resposta inválida do servidor de aplicação em " + address;
    if (answer.status != 200)
        message += " (HTTP " + std::to_string(answer.status) + ")";
    return RpcClientError(RpcClientError::BadAnswer, message + why + ".", answer.status);
}

nlohmann::json Parsed(RpcAnswer& answer, const std::string& address, std::size_t maxDepth) {
    if (NestsDeeperThan(answer.body, maxDepth))
        throw BadAnswer(answer, address,
                        ": dados aninhados em mais de " + std::to_string(maxDepth) + " níveis");
    nlohmann::json parsed = nlohmann::json::parse(answer.body, nullptr, false);
    answer.body = std::string(); // the text is no longer needed; do not hold both at once
    return parsed;
}

// The server's error object as an exception (a malformed one as a bad answer), or nothing when
// the answer carries none.
std::optional<RpcClientError> ServerError(const nlohmann::json& parsed, const RpcAnswer& answer,
                                          const std::string& address) {
    const auto error = parsed.find("error");
    if (error == parsed.end())
        return std::nullopt;
    if (!error->is_object() || !error->value("code", nlohmann::json()).is_number_integer() ||
        !error->value("message", nlohmann::json()).is_string())
        return BadAnswer(answer, address, "");
    return RpcClientError((*error)["code"].get<int>(), (*error)["message"].get<std::string>(), answer.status);
}

} // namespace

nlohmann::json ResultOfAnswer(RpcAnswer answer, std::int64_t id, const std::string& address,
                              std::size_t maxDepth) {
    nlohmann::json parsed = Parsed(answer, address, maxDepth);
    if (!parsed.is_object())
        throw BadAnswer(answer, address, "");
    if (auto error = ServerError(parsed, answer, address))
        throw *error;
    const auto result = parsed.find("result");
    if (answer.status != 200 || result == parsed.end() || parsed.value("id", nlohmann::json()) != id)
        throw BadAnswer(answer, address, "");
    return std::move(*result);
}

std::vector<BatchAnswer> ResultsOfBatchAnswer(RpcAnswer answer, std::int64_t firstId, std::size_t count,
                                              const std::string& address, std::size_t maxDepth) {
    nlohmann::json parsed = Parsed(answer, address, maxDepth);
    if (parsed.is_object()) {
        if (auto error = ServerError(parsed, answer, address))
            throw *error;
    }
    if (!parsed.is_array() || answer.status != 200)
        throw BadAnswer(answer, address, "");
    std::vector<BatchAnswer> answers(count);
    std::vector<bool> answered(count, false);
    for (nlohmann::json& part : parsed) {
        const nlohmann::json id = part.is_object() ? part.value("id", nlohmann::json()) : nlohmann::json();
        if (!id.is_number_integer() || id.get<std::int64_t>() < firstId ||
            id.get<std::int64_t>() >= firstId + static_cast<std::int64_t>(count))
            throw BadAnswer(answer, address, ": resposta a uma chamada que não foi feita");
        const auto index = static_cast<std::size_t>(id.get<std::int64_t>() - firstId);
        BatchAnswer& slot = answers[index];
        answered[index] = true;
        if (const auto result = part.find("result"); result != part.end()) {
            slot.ok = true;
            slot.result = std::move(*result);
            continue;
        }
        const RpcClientError error =
            ServerError(part, answer, address).value_or(BadAnswer(answer, address, ""));
        slot.code = error.Code();
        slot.message = error.what();
    }
    if (std::find(answered.begin(), answered.end(), false) != answered.end())
        throw BadAnswer(answer, address, ": faltam respostas do lote");
    return answers;
}

} // namespace pedclient
