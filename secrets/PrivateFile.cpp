#include "secrets/PrivateFile.h"

#include <fstream>
#include <stdexcept>

namespace secrets {

std::string ReadPrivateFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        throw std::runtime_error(path.string() + " cannot be read");
    using std::filesystem::perms;
    const perms shared = status.permissions() & (perms::group_all | perms::others_all);
    if (shared != perms::none)
        throw std::runtime_error(path.string() + " may be read or written by other users; make it private: chmod 600 " +
                                 path.string());
    std::ifstream in(path);
    std::string secret;
    if (!in || !std::getline(in, secret))
        throw std::runtime_error(path.string() + " cannot be read");
    while (!secret.empty() && (secret.back() == '\r' || secret.back() == ' ' || secret.back() == '\t'))
        secret.pop_back();
    if (secret.empty())
        throw std::runtime_error(path.string() + " holds no secret on its first line");
    return secret;
}

} // namespace secrets
