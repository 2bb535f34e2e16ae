#include "testkit/NginxProcess.h"

#include "testkit/TempDir.h"

#include <arpa/inet.h>
#include <fstream>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace testkit {

namespace {

std::string Replaced(std::string text, const NginxProcess::Replacements& replacements) {
    for (const auto& [from, to] : replacements) {
        const std::size_t at = text.find(from);
        if (at == std::string::npos || text.find(from, at + 1) != std::string::npos)
            throw std::runtime_error("the site must hold \"" + from + "\" exactly once");
        text.replace(at, from.size(), to);
    }
    return text;
}

bool Accepts(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

// The main configuration around the site: one foreground process (no master, so stopping it
// leaves no worker behind), and every path inside the folder.
std::string MainConfiguration(const std::filesystem::path& folder) {
    const std::string dir = folder.string();
    std::string text = "daemon off;\nmaster_process off;\nworker_processes 1;\n";
    // A root nginx would run its workers as nobody, who cannot write the test's folder.
    if (geteuid() == 0)
        text += "user root;\n";
    text += "pid " + dir + "/nginx.pid;\nerror_log " + dir + "/error.log warn;\n";
    text += "events { worker_connections 1024; }\nhttp {\n  access_log off;\n";
    for (const char* temp : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
        text += std::string("  ") + temp + "_temp_path " + dir + "/" + temp + ";\n";
    text += "  include " + dir + "/site.conf;\n}\n";
    return text;
}

} // namespace

NginxProcess::Replacements NginxProcess::PedserverSite(const std::vector<int>& upstreamPorts, int port,
                                                       const std::filesystem::path& certificate,
                                                       const std::filesystem::path& key) {
    const auto upstream = [](int upstreamPort) { return "server 127.0.0.1:" + std::to_string(upstreamPort); };
    // The site names two servers; more go after the second, one alone takes both lines.
    std::string second = upstream(upstreamPorts.size() > 1 ? upstreamPorts[1] : upstreamPorts[0]);
    for (std::size_t i = 2; i < upstreamPorts.size(); ++i)
        second += " max_fails=1 fail_timeout=5s;\n    " + upstream(upstreamPorts[i]);
    return {{"server 127.0.0.1:8081", upstream(upstreamPorts[0])},
            {"server 127.0.0.1:8082", second},
            {"listen 443 ssl", "listen 127.0.0.1:" + std::to_string(port) + " ssl"},
            {"/etc/pedserver/tls/server.crt", certificate.string()},
            {"/etc/pedserver/tls/server.key", key.string()}};
}

std::optional<std::string> NginxProcess::Program() {
    for (const char* path : {"/usr/sbin/nginx", "/usr/local/sbin/nginx", "/usr/bin/nginx"}) {
        if (access(path, X_OK) == 0)
            return path;
    }
    return std::nullopt;
}

int NginxProcess::FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

NginxProcess::NginxProcess(const std::filesystem::path& folder, const std::filesystem::path& site,
                           const Replacements& replacements, int port)
    : m_folder(folder) {
    const std::optional<std::string> program = Program();
    if (!program)
        throw std::runtime_error("nginx is not installed");
    std::ofstream(folder / "site.conf") << Replaced(ReadTextFile(site), replacements);
    std::ofstream(folder / "nginx.conf") << MainConfiguration(folder);
    m_process = std::make_unique<ChildProcess>(std::vector<std::string>{*program, "-p", folder.string(), "-e",
                                                                        (folder / "error.log").string(), "-c",
                                                                        (folder / "nginx.conf").string()},
                                               folder / "nginx.stderr");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Accepts(port)) {
        if (!m_process->IsRunning() || std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("nginx did not start: " + ReadTextFile(folder / "nginx.stderr") +
                                     ErrorLog());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

NginxProcess::~NginxProcess() {
    if (m_process)
        m_process->Stop(std::chrono::seconds(5));
}

std::string NginxProcess::ErrorLog() const {
    return std::filesystem::exists(m_folder / "error.log") ? ReadTextFile(m_folder / "error.log") : "";
}

} // namespace testkit
