#pragma once

#include <filesystem>
#include <string>

namespace secrets {

// The first line of a file that holds a secret (a password in a database URL, a token), without
// its line end. A secret never travels on a command line, which every user of the machine can
// read (ps, /proc/PID/cmdline); a file is the other way, and only when no one but its owner may
// read it. Throws std::runtime_error naming the file when it cannot be read, when its group or
// other users may read or write it, or when it holds no secret.
std::string ReadPrivateFile(const std::filesystem::path& path);

} // namespace secrets
