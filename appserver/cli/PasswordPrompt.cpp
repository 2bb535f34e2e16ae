#include "PasswordPrompt.h"

#include <iostream>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace pedserver {
namespace {

// Echo off for the terminal while it lives, back on however the reading ends.
class NoEcho {
public:
    NoEcho() : m_saved{}, m_active(tcgetattr(STDIN_FILENO, &m_saved) == 0) {
        if (!m_active)
            return;
        termios quiet = m_saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    ~NoEcho() {
        if (m_active)
            tcsetattr(STDIN_FILENO, TCSANOW, &m_saved);
    }
    NoEcho(const NoEcho&) = delete;
    NoEcho& operator=(const NoEcho&) = delete;

private:
    termios m_saved;
    bool m_active;
};

std::string Typed(const std::string& prompt) {
    std::cerr << prompt << ": " << std::flush;
    const NoEcho quiet;
    std::string line;
    std::getline(std::cin, line);
    std::cerr << "\n";
    return line;
}

} // namespace

std::string ReadPassword(const std::string& prompt) {
    std::string password;
    if (isatty(STDIN_FILENO)) {
        password = Typed(prompt);
        if (Typed(prompt + " (de novo)") != password)
            throw std::invalid_argument("the two passwords differ");
    } else {
        std::getline(std::cin, password);
    }
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    if (password.empty())
        throw std::invalid_argument("no password given");
    return password;
}

} // namespace pedserver
