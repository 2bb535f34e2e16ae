#pragma once

#include <ostream>
#include <string>

namespace host {

// What a script run shows: each command, each message, question, choice and refusal, and each
// failed expectation, one line each, flushed at once so a crash still leaves the story so far.
class Transcript {
public:
    explicit Transcript(std::ostream& out) : m_out(out) {}

    void Command(const std::string& source) { Line("> " + source); }
    void Line(const std::string& text) { m_out << text << '\n' << std::flush; }

private:
    std::ostream& m_out;
};

} // namespace host
