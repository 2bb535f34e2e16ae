#include "testkit/ServerProcess.h"

#include <algorithm>
#include <httplib.h>
#include <stdexcept>
#include <thread>

namespace testkit {

namespace {

// Throws with the command's stderr when it failed.
ProcessResult Checked(ProcessResult result, const std::string& what) {
    if (result.exitStatus != 0) {
        throw std::runtime_error("pedserver " + what + " failed with status " +
                                 std::to_string(result.exitStatus) + ": " + result.err);
    }
    return result;
}

} // namespace

std::string ServerProcess::PedserverPath() {
    return PED_PEDSERVER_PATH;
}

ProcessResult ServerProcess::RunPedserver(std::vector<std::string> args, std::chrono::milliseconds timeout,
                                          const std::vector<std::string>& environment, const std::string& input) {
    args.insert(args.begin(), PedserverPath());
    return ChildProcess::Run(args, timeout, environment, input);
}

std::vector<std::string> ServerProcess::DatabaseEnvironment() const {
    return {"PEDSERVER_DB=" + m_databaseUrl};
}

ServerProcess::ServerProcess(ServerProcessOptions options) : m_folder("pedserver") {
    if (options.databaseUrl.empty()) {
        m_database = std::make_unique<TestDatabase>(options.backend, m_folder.Path());
        m_databaseUrl = m_database->Url();
        Prepare(options);
    } else {
        m_databaseUrl = options.databaseUrl;
    }
    Start(options.threads, options.serveArgs, options.environment);
    WaitHealthy(options.serveArgs);
}

ServerProcess::~ServerProcess() {
    if (m_server) {
        m_server->Stop(std::chrono::seconds(5));
    }
}

ProcessResult ServerProcess::Pedserver(std::vector<std::string> args,
                                       std::chrono::milliseconds timeout) const {
    return RunPedserver(std::move(args), timeout, DatabaseEnvironment());
}

void ServerProcess::Prepare(const ServerProcessOptions& options) const {
    Checked(Pedserver({"init"}), "init");
    std::vector<std::string> seed{"seed", "--demo", "--today", options.today};
    if (options.volumeOrders > 0) {
        seed.insert(seed.end(),
                    {"--orders", std::to_string(options.volumeOrders), "--items",
                     std::to_string(options.volumeItems), "--seed", std::to_string(options.volumeSeed)});
    }
    Checked(Pedserver(seed), "seed");
}

void ServerProcess::Start(int threads, const std::vector<std::string>& serveArgs,
                          const std::vector<std::string>& environment) {
    std::vector<std::string> argv{PedserverPath(), "serve", "--listen", "127.0.0.1:0", "--threads",
                                  std::to_string(threads)};
    argv.insert(argv.end(), serveArgs.begin(), serveArgs.end());
    std::vector<std::string> variables = DatabaseEnvironment();
    variables.insert(variables.end(), environment.begin(), environment.end());
    m_server = std::make_unique<ChildProcess>(argv, m_folder.Path() / "server.log", variables);
    const std::optional<std::string> line = m_server->ReadLine(std::chrono::seconds(30));
    const std::string prefix = "listening 127.0.0.1:";
    if (!line || !line->starts_with(prefix)) {
        throw std::runtime_error("pedserver serve did not report its address; log: " + Log());
    }
    m_port = std::stoi(line->substr(prefix.size()));
}

void ServerProcess::WaitHealthy(const std::vector<std::string>& serveArgs) {
    // An HTTPS server has read its certificate and database before it reported its address.
    if (std::find(serveArgs.begin(), serveArgs.end(), "--tls-cert") != serveArgs.end())
        return;
    httplib::Client http(Host(), m_port);
    http.set_connection_timeout(0, 200000);
    http.set_read_timeout(2, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        if (const httplib::Result health = http.Get("/health"); health && health->status == 200) {
            return;
        }
        if (!m_server->IsRunning()) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("pedserver did not become healthy; log: " + Log());
}

const std::string& ServerProcess::Token(const std::string& operatorCode) {
    auto found = m_tokens.find(operatorCode);
    if (found == m_tokens.end()) {
        const ProcessResult issued = Checked(Pedserver({"token", "--operator", operatorCode}), "token");
        std::string token = issued.out.substr(0, issued.out.find('\n'));
        found = m_tokens.emplace(operatorCode, std::move(token)).first;
    }
    return found->second;
}

pedclient::RpcClient ServerProcess::Client(const std::string& operatorCode,
                                           pedclient::RpcClientTimeouts timeouts) {
    return pedclient::RpcClient(Host(), m_port, Token(operatorCode), timeouts);
}

std::string ServerProcess::Log() const {
    return ReadTextFile(m_folder.Path() / "server.log");
}

int ServerProcess::Stop(std::chrono::milliseconds grace) {
    return m_server->Stop(grace);
}

} // namespace testkit

namespace testkit {

std::string ServerProcess::LogWhen(const std::function<bool(const std::string& log)>& ready,
                                   std::chrono::milliseconds within) const {
    const auto deadline = std::chrono::steady_clock::now() + within;
    std::string log = Log();
    while (!ready(log) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        log = Log();
    }
    return log;
}

} // namespace testkit
