#pragma once

#include "rpcclient/RpcClient.h"
#include "testkit/ChildProcess.h"
#include "testkit/TempDir.h"
#include "testkit/TestDatabase.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testkit {

struct ServerProcessOptions {
    TestBackend backend = TestBackend::Sqlite;
    // The demo data is always seeded, around this day, so every run sees the same data.
    std::string today = "2024-05-15";
    // Volume data on top of the demo data when volumeOrders > 0.
    int volumeOrders = 0;
    int volumeItems = 5;
    std::uint64_t volumeSeed = 1;
    int threads = 8;
    // More `serve` options, e.g. {"--max-connections-per-client", "2000"}.
    std::vector<std::string> serveArgs = {};
    // More environment for `serve`, e.g. {"PEDSERVER_CLOCK_FILE=/tmp/now"}.
    std::vector<std::string> environment = {};
    // Serve this database, already prepared by another server's fixture, instead of a new one
    // (several servers on one PostgreSQL database).
    std::string databaseUrl = {};
};

// A real pedserver process on loopback over a database of its own: the constructor runs
// init, seed and serve --listen 127.0.0.1:0, reads the bound port and waits for /health; the
// destructor stops the server (SIGTERM, then SIGKILL) and drops the database.
class ServerProcess {
public:
    explicit ServerProcess(ServerProcessOptions options = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    std::string Host() const { return "127.0.0.1"; }
    int Port() const { return m_port; }
    pid_t Pid() const { return m_server->Pid(); }
    // Only for a server with a database of its own (no databaseUrl).
    const TestDatabase& Database() const { return *m_database; }
    const std::string& DatabaseUrl() const { return m_databaseUrl; }
    const std::filesystem::path& Folder() const { return m_folder.Path(); }

    // A token of the operator, issued through `pedserver token` on first use.
    const std::string& Token(const std::string& operatorCode);
    pedclient::RpcClient Client(const std::string& operatorCode, pedclient::RpcClientTimeouts timeouts = {});

    // What the server has written to stderr so far (its request log).
    std::string Log() const;
    // The log once `ready` holds for it (the server writes its request lines a moment after the
    // answers), or as it is after `within`.
    std::string LogWhen(const std::function<bool(const std::string& log)>& ready,
                        std::chrono::milliseconds within = std::chrono::seconds(3)) const;
    bool IsRunning() { return m_server->IsRunning(); }
    // Stops the server gracefully (SIGKILL after `grace`) and returns its exit status.
    int Stop(std::chrono::milliseconds grace = std::chrono::seconds(5));

    // Runs `pedserver <args...>` on this database (PEDSERVER_DB) to its end (killed after `timeout`).
    ProcessResult Pedserver(std::vector<std::string> args,
                            std::chrono::milliseconds timeout = std::chrono::seconds(120)) const;
    // Runs `pedserver <args...>` as given; fails the caller's expectations, not the kit, on errors.
    static ProcessResult RunPedserver(std::vector<std::string> args,
                                      std::chrono::milliseconds timeout = std::chrono::seconds(120),
                                      const std::vector<std::string>& environment = {},
                                      const std::string& input = {});
    static std::string PedserverPath();
    // PEDSERVER_DB=<this database>: how the URL reaches pedserver, never on its command line.
    std::vector<std::string> DatabaseEnvironment() const;

private:
    void Prepare(const ServerProcessOptions& options) const;
    void Start(int threads, const std::vector<std::string>& serveArgs, const std::vector<std::string>& environment);
    void WaitHealthy(const std::vector<std::string>& serveArgs);

    TempDir m_folder;
    std::unique_ptr<TestDatabase> m_database;
    std::string m_databaseUrl;
    std::unique_ptr<ChildProcess> m_server;
    int m_port = 0;
    std::map<std::string, std::string> m_tokens;
};

} // namespace testkit
