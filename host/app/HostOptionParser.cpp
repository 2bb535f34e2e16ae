#include "app/HostOptionParser.h"

#include "rpcclient/ServerAddress.h"
#include "secrets/PrivateFile.h"

#include <cstdlib>
#include <stdexcept>

namespace host {

namespace {

// "HOST:PORT", "https://HOST:PORT" or a comma-separated list of those. One plain server keeps
// host and port apart; otherwise the host value is the whole list, which the connection reads.
void SplitServer(const std::string& text, bool plainRemoteAllowed, std::string& host, int& port) {
    std::vector<pedclient::ServerAddress> servers;
    try {
        servers = pedclient::ServerAddress::ParseList(text, 0);
    } catch (const std::invalid_argument& error) {
        throw CLI::ValidationError("--server", std::string("expected HOST:PORT, https://HOST:PORT or a "
                                                           "comma-separated list of them: ") +
                                                   error.what());
    }
    try {
        pedclient::ServerAddress::RequireSafeTransport(servers, plainRemoteAllowed);
    } catch (const std::invalid_argument& error) {
        throw CLI::ValidationError("--server", error.what());
    }
    const bool single = servers.size() == 1 && !servers.front().tls;
    host = single ? servers.front().host : text;
    port = servers.front().port;
}

} // namespace

HostOptionParser::HostOptionParser() : m_app("pedhost: the sales-order desktop host", "pedhost") {
    m_app.set_config("--config", "", "Read options from FILE (key = value lines)");
    m_app.allow_config_extras(false);
    m_app.add_option(
        "--server", m_server,
        "Application server HOST:PORT or https://HOST:PORT; several, comma-separated, are tried in "
        "order");
    m_app
        .add_option("--ca-file", m_options.CaFile,
                    "PEM file of the authorities trusted for https:// servers (default: the system's)")
        ->check(CLI::ExistingFile);
    m_app.add_flag("--insecure-plain-http", m_options.InsecurePlainHttp,
                   "Allow http:// to a server other than this machine (the token crosses the network in clear text)");
    m_app.add_option("--operator", m_options.Operator, "Operator code");
    m_app.add_option("--token-file", m_tokenFile,
                     "Read the operator's server token from FILE, which only its owner may read (or set PEDHOST_TOKEN)");
    // Kept only to say why it is refused.
    m_app.add_option("--token", m_token, "Refused: use --token-file or PEDHOST_TOKEN")->group("");
    m_app.add_option("--branch", m_options.Branch, "Current branch code");
    m_app.add_flag("--fixed-branch", m_options.FixedBranch, "The operator may not change the branch");
    m_app.add_option("--modules", m_modulesDir, "Folder of the modules (default: the build's lib folder)");
    m_app.add_option("--locale", m_options.Locale, "Locale of dates and numbers")
        ->check(CLI::IsMember({"pt-BR", "en-US"}));
    m_app.add_option("--product-mask", m_options.ProductMask, "Mask of the product tree code");
    m_app.add_option("--platform", m_platform, "qt (needs a display) or headless")
        ->check(CLI::IsMember({"qt", "headless"}));
    m_app.add_option("--script", m_script, "Run this script instead of the interactive loop");
    m_app.add_option("--open", m_options.OpenCode, "Open the screen with this code at start");
}

HostOptions HostOptionParser::Parse(const std::vector<std::string>& args) {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    m_app.parse(reversed);
    Finish();
    return m_options;
}

void HostOptionParser::Finish() {
    if (!m_token.empty())
        throw CLI::ValidationError("--token", "a token on the command line can be read by every user of this machine "
                                              "(ps); put it in PEDHOST_TOKEN or in a file given with --token-file");
    if (!m_tokenFile.empty()) {
        try {
            m_options.Token = secrets::ReadPrivateFile(m_tokenFile);
        } catch (const std::runtime_error& error) {
            throw CLI::ValidationError("--token-file", error.what());
        }
    } else if (const char* token = std::getenv("PEDHOST_TOKEN")) {
        m_options.Token = token;
    }
    if (!m_server.empty())
        SplitServer(m_server, m_options.InsecurePlainHttp, m_options.ServerHost, m_options.ServerPort);
    m_options.Platform = m_platform == "headless" ? PlatformKind::Headless : PlatformKind::Qt;
    m_options.ModulesDir = m_modulesDir;
    m_options.Script = m_script;
}

} // namespace host
