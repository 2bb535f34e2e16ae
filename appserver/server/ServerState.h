#pragma once

#include "server/ConnectionLimiter.h"
#include "server/Metrics.h"
#include "server/RequestLog.h"
#include "server/RpcDispatcher.h"
#include "server/ServerOptions.h"
#include "sqldb/ConnectionPool.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ssl/context.hpp>
#include <boost/asio/thread_pool.hpp>
#include <list>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace pedserver {

class HttpSession;

// What the listener and every connection of one server share. The event loop (`io`) runs on
// one thread and owns the sockets; database work runs on `workers`, sized like the pool.
struct ServerState {
    ServerState(const std::string& dbUrl, ServerOptions serverOptions, std::ostream& logStream)
        : options(std::move(serverOptions)), pool(dbUrl, options.threads),
          dispatcher(pool, options.maxBatch, std::chrono::seconds(options.tokenCacheSeconds)), log(logStream),
          limiter(options.maxConnections, options.maxConnectionsPerClient), tls(ServerTlsContext(options)) {}

    // The certificate and key of `options`, or nothing for plain HTTP; throws for files that do not load.
    static std::optional<boost::asio::ssl::context> ServerTlsContext(const ServerOptions& options);

    // One call's line in the request log and its sample in the metrics.
    void Record(const RpcOutcome& outcome) {
        metrics.Record(outcome.method, outcome.outcome, outcome.seconds);
        log.Write(outcome, outcome.seconds * 1000.0);
    }

    ServerOptions options;
    sqldb::ConnectionPool pool;
    RpcDispatcher dispatcher;
    Metrics metrics;
    RequestLog log;
    ConnectionLimiter limiter;
    std::optional<boost::asio::ssl::context> tls;
    boost::asio::io_context io{1};
    // Started by Run(), so that constructing a server starts no thread (signals are set up after).
    std::optional<boost::asio::thread_pool> workers;
    // Event-loop thread only: set by Stop(); the open connections, so Stop() can close idle ones.
    bool stopping = false;
    std::list<std::weak_ptr<HttpSession>> sessions;
};

} // namespace pedserver
