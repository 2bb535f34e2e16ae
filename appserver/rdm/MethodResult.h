#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

namespace pedserver {

// What a remote method answers: its JSON-RPC result as text, which goes into the answer as it
// is, and whether it reports a change a command made.
class MethodResult {
public:
    // A result built as a JSON value, written by protocol::JsonText.
    MethodResult(const nlohmann::json& value); // NOLINT(google-explicit-constructor): every result is one

    // A result already written as JSON text.
    static MethodResult FromText(std::string text);
    // A command that went through, acting on that many checked rows: {"rows":N,"status":"ok"}.
    static MethodResult Changed(std::size_t rows);

    const std::string& Text() const { return m_text; }
    std::string TakeText() { return std::move(m_text); }
    bool ChangedData() const { return m_changed; }

private:
    MethodResult(std::string text, bool changed) : m_text(std::move(text)), m_changed(changed) {}

    std::string m_text;
    bool m_changed = false;
};

} // namespace pedserver
