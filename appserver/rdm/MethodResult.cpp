#include "rdm/MethodResult.h"

#include "protocol/JsonText.h"

namespace pedserver {

MethodResult::MethodResult(const nlohmann::json& value) : m_text(protocol::JsonText(value)) {}

MethodResult MethodResult::FromText(std::string text) {
    return {std::move(text), false};
}

MethodResult MethodResult::Changed(std::size_t rows) {
    return {nlohmann::json{{"status", "ok"}, {"rows", rows}}.dump(), true};
}

} // namespace pedserver
