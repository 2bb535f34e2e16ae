#include "rdm/MethodResult.h"

namespace pedserver {

std::string AnswerJson(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

MethodResult::MethodResult(const nlohmann::json& value) : m_text(AnswerJson(value)) {}

MethodResult MethodResult::FromText(std::string text) {
    return {std::move(text), false};
}

MethodResult MethodResult::Changed(std::size_t rows) {
    return {nlohmann::json{{"status", "ok"}, {"rows", rows}}.dump(), true};
}

} // namespace pedserver
