#pragma once

#include <string>

namespace pedserver {

// A password for a command: typed twice at the terminal without echo when stdin is one, else the
// first line of stdin (so a script may pipe it in); never an argument, which `ps` would show.
// Throws std::invalid_argument when the two typings differ or nothing was given.
std::string ReadPassword(const std::string& prompt);

} // namespace pedserver
