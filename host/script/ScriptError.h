#pragma once

#include "ui/HeadlessError.h"

#include <string>

namespace host {

// A fault of the script itself: bad syntax, an unknown name, an unanswered question. It derives
// from the headless error so that the model's dispatcher lets it through to the runner instead
// of showing it as a message.
class ScriptError : public ui::HeadlessError {
public:
    ScriptError(int line, const std::string& message)
        : ui::HeadlessError("line " + std::to_string(line) + ": " + message), m_line(line) {}
    int Line() const { return m_line; }

private:
    int m_line;
};

} // namespace host
