#include "testkit/TestCertificates.h"

#include "testkit/ChildProcess.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace testkit {

namespace {

// The openssl program on PATH, or "" (child processes are started by path, not looked up).
std::string OpensslPath() {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t colon = std::min(folders.find(':', start), folders.size());
        const std::filesystem::path candidate =
            std::filesystem::path(folders.substr(start, colon - start)) / "openssl";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
        start = colon + 1;
    }
    return {};
}

void Openssl(std::vector<std::string> args) {
    args.insert(args.begin(), OpensslPath());
    const ProcessResult result = ChildProcess::Run(args, std::chrono::seconds(30));
    if (result.exitStatus != 0)
        throw std::runtime_error("openssl " + args[1] + " failed: " + result.err);
}

// Elliptic-curve keys: made in milliseconds, unlike RSA ones.
std::vector<std::string> NewKey(const std::filesystem::path& key) {
    return {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key.string()};
}

} // namespace

TestCertificates::TestCertificates(std::filesystem::path folder)
    : m_folder(std::move(folder)), m_authority(m_folder / "ca.crt") {
    std::vector<std::string> args{"req", "-x509"};
    const auto key = NewKey(m_folder / "ca.key");
    args.insert(args.end(), key.begin(), key.end());
    args.insert(args.end(),
                {"-out", m_authority.string(), "-days", "2", "-subj", "/CN=pedserver test authority"});
    Openssl(args);
}

bool TestCertificates::Available() {
    return !OpensslPath().empty();
}

TestCertificates::Server TestCertificates::Issue(const std::string& name,
                                                 const std::vector<std::string>& subjectAltNames,
                                                 bool selfSigned) const {
    const Server server{m_folder / (name + ".crt"), m_folder / (name + ".key")};
    std::string names;
    for (const std::string& altName : subjectAltNames)
        names += (names.empty() ? "" : ",") + altName;
    const std::filesystem::path extensions = m_folder / (name + ".ext");
    std::ofstream(extensions) << "subjectAltName=" << names << "\n";
    const std::filesystem::path request = m_folder / (name + ".csr");
    std::vector<std::string> args{"req"};
    const auto key = NewKey(server.key);
    args.insert(args.end(), key.begin(), key.end());
    args.insert(args.end(), {"-out", request.string(), "-subj", "/CN=" + name});
    Openssl(args);
    std::vector<std::string> sign{
        "x509",  "-req", "-in",      request.string(),   "-out", server.certificate.string(),
        "-days", "2",    "-extfile", extensions.string()};
    if (selfSigned)
        sign.insert(sign.end(), {"-signkey", server.key.string()});
    else
        sign.insert(sign.end(), {"-CA", m_authority.string(), "-CAkey", (m_folder / "ca.key").string(),
                                 "-CAcreateserial"});
    Openssl(sign);
    return server;
}

} // namespace testkit
