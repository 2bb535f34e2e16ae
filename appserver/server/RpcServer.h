#pragma once

#include "server/Metrics.h"
#include "server/RequestLog.h"
#include "server/RpcDispatcher.h"
#include "server/ServerOptions.h"
#include "sqldb/ConnectionPool.h"

#include <memory>
#include <ostream>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace pedserver {

// The HTTP side of pedserver: POST /rdm/Ped01000.rdmCancelaPedido (JSON-RPC 2.0), GET /health
// and GET /metrics, with one pooled database connection per worker.
class RpcServer {
public:
    static constexpr const char* RpcPath = "/rdm/Ped01000.rdmCancelaPedido";

    RpcServer(const std::string& dbUrl, ServerOptions options, std::ostream& log);
    ~RpcServer();
    RpcServer(const RpcServer&) = delete;
    RpcServer& operator=(const RpcServer&) = delete;

    // Binds the listening socket and returns the port (the chosen one when the option was 0).
    int Bind();
    // Serves until Stop(); returns once the workers have finished their requests.
    void Run();
    // Safe from any thread, including before Run().
    void Stop();

private:
    void HandleRpc(const httplib::Request& request, httplib::Response& response,
                   const RemoteModule& module = CancellationModule());
    void HandleHealth(httplib::Response& response);
    void HandleError(const httplib::Request& request, httplib::Response& response);

    ServerOptions m_options;
    sqldb::ConnectionPool m_pool;
    RpcDispatcher m_dispatcher;
    Metrics m_metrics;
    RequestLog m_log;
    std::unique_ptr<httplib::Server> m_http;
};

} // namespace pedserver
