#pragma once

#include "testkit/ChildProcess.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testkit {

// nginx in the foreground on loopback, serving a site file (deploy/nginx/pedserver.conf) with
// some of its texts replaced (ports, certificate paths); everything it writes stays in `folder`.
// Each replaced text must occur in the site exactly once, so the test and the shipped site
// cannot drift apart unnoticed.
class NginxProcess {
public:
    using Replacements = std::vector<std::pair<std::string, std::string>>;

    NginxProcess(const std::filesystem::path& folder, const std::filesystem::path& site,
                 const Replacements& replacements, int port);
    ~NginxProcess();
    NginxProcess(const NginxProcess&) = delete;
    NginxProcess& operator=(const NginxProcess&) = delete;

    // The replacements that put the shipped pedserver site on loopback: nginx on `port` with the
    // certificate and key given, in front of the pedserver processes on `upstreamPorts` (one or more).
    static Replacements PedserverSite(const std::vector<int>& upstreamPorts, int port,
                                      const std::filesystem::path& certificate,
                                      const std::filesystem::path& key);

    // The nginx program, when installed.
    static std::optional<std::string> Program();
    // A loopback port free at the moment of asking.
    static int FreePort();

    std::string ErrorLog() const;
    pid_t Pid() const { return m_process->Pid(); }

private:
    std::filesystem::path m_folder;
    std::unique_ptr<ChildProcess> m_process;
};

} // namespace testkit
