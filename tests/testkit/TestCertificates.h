#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testkit {

// A certificate authority of the test's own, made with the openssl command in a folder, and
// server certificates it signs. Available() tells whether openssl is installed.
class TestCertificates {
public:
    struct Server {
        std::filesystem::path certificate; // PEM, the server's certificate
        std::filesystem::path key;         // PEM, its private key
    };

    // Makes the authority ("ca.crt", "ca.key") in `folder`. Throws when openssl fails.
    explicit TestCertificates(std::filesystem::path folder);

    static bool Available();

    const std::filesystem::path& Authority() const { return m_authority; }
    // A certificate for the names, e.g. {"DNS:localhost", "IP:127.0.0.1"}, signed by the authority;
    // `selfSigned` makes one that no authority vouches for.
    Server Issue(const std::string& name, const std::vector<std::string>& subjectAltNames,
                 bool selfSigned = false) const;

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_authority;
};

} // namespace testkit
