#pragma once

#include "server/ConnectionLimiter.h"
#include "server/EventLoops.h"
#include "server/Metrics.h"
#include "server/RequestLog.h"
#include "server/RpcDispatcher.h"
#include "server/ServerOptions.h"
#include "server/TrustedProxies.h"
#include "sqldb/ConnectionPool.h"

#include <boost/asio/ssl/context.hpp>
#include <boost/asio/thread_pool.hpp>
#include <atomic>
#include <list>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace pedserver {

class HttpSession;

// What the listener and every connection of one server share: `options.threads` event loops,
// one per thread, and by default as many pooled connections, so a thread that runs a call finds
// a connection free; a smaller pool makes calls wait for one, at most the acquire time.
struct ServerState {
    ServerState(const std::string& dbUrl, ServerOptions serverOptions, std::ostream& logStream)
        : options(std::move(serverOptions)), pool(dbUrl, PoolSettingsOf(options)), dispatcher(pool, options),
          log(logStream),
          limiter(options.maxConnections, options.maxConnectionsPerClient), proxies(options.trustedProxies),
          tls(ServerTlsContext(options)),
          loops(static_cast<std::size_t>(options.threads)) {}

    // One connection per thread unless told otherwise; each with the statement time limit.
    static sqldb::PoolSettings PoolSettingsOf(const ServerOptions& options);
    // The certificate and key of `options`, or nothing for plain HTTP; throws for files that do not load.
    static std::optional<boost::asio::ssl::context> ServerTlsContext(const ServerOptions& options);

    // One call's line in the request log (and its event's, when it has one) and its sample in the metrics.
    void Record(const RpcOutcome& outcome) {
        metrics.Record(outcome.method, outcome.outcome, outcome.seconds);
        log.Write(outcome, outcome.seconds * 1000.0);
        if (!outcome.event.empty())
            log.WriteEvent(outcome);
    }

    ServerOptions options;
    sqldb::ConnectionPool pool;
    RpcDispatcher dispatcher;
    Metrics metrics;
    RequestLog log;
    ConnectionLimiter limiter;
    TrustedProxies proxies;
    std::optional<boost::asio::ssl::context> tls;
    EventLoops loops;
    // Set by Stop(); read by every connection before it waits for another request.
    std::atomic<bool> stopping = false;
    // The listener's thread only: the open connections, so Stop() can close idle ones.
    std::list<std::weak_ptr<HttpSession>> sessions;
    // Requests whose body is large are parsed and run here, at most this many at a time, off
    // the event loops. Declared last: its threads end before anything they use.
    static constexpr int LargeRequestThreads = 2;
    boost::asio::thread_pool largeRequests{LargeRequestThreads};
};

} // namespace pedserver
