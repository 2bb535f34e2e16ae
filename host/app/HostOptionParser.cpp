#include "app/HostOptionParser.h"

#include <algorithm>

namespace host {

namespace {

// "HOST:PORT" with a port from 1 to 65535.
void SplitServer(const std::string& text, std::string& host, int& port) {
    std::size_t colon = text.rfind(':');
    std::string portText = colon == std::string::npos ? "" : text.substr(colon + 1);
    bool digits = !portText.empty() && portText.size() <= 5 &&
                  std::all_of(portText.begin(), portText.end(), [](char c) { return c >= '0' && c <= '9'; });
    int value = digits ? std::stoi(portText) : 0;
    if (colon == 0 || value < 1 || value > 65535)
        throw CLI::ValidationError("--server", "expected HOST:PORT, got '" + text + "'");
    host = text.substr(0, colon);
    port = value;
}

} // namespace

HostOptionParser::HostOptionParser() : m_app("pedhost: the sales-order desktop host", "pedhost") {
    m_app.set_config("--config", "", "Read options from FILE (key = value lines)");
    m_app.allow_config_extras(false);
    m_app.add_option("--server", m_server, "Application server HOST:PORT");
    m_app.add_option("--db", m_options.Database, "Shared lookup database: sqlite:PATH or postgresql://...");
    m_app.add_option("--operator", m_options.Operator, "Operator code");
    m_app.add_option("--token", m_options.Token, "The operator's server token")->envname("PEDHOST_TOKEN");
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
    if (!m_server.empty())
        SplitServer(m_server, m_options.ServerHost, m_options.ServerPort);
    m_options.Platform = m_platform == "headless" ? PlatformKind::Headless : PlatformKind::Qt;
    m_options.ModulesDir = m_modulesDir;
    m_options.Script = m_script;
}

} // namespace host
