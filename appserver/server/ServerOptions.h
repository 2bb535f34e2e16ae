#pragma once

#include "rdm/CallLimits.h"
#include "storage/Passwords.h"

#include <cstddef>
#include <string>
#include <vector>

namespace pedserver {

// Where pedserver listens and what it accepts; every limit has a `serve` option (operations.md).
struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080; // 0 picks a free port
    // Threads, each an event loop with at most one database connection at a time; connections
    // themselves cost no thread, idle or slow.
    int threads = 8;
    std::size_t maxHeaderBytes = 16 * 1024; // request line and header fields together
    std::size_t maxHeaderCount = 64;
    std::size_t maxBodyBytes = 8 * 1024 * 1024; // refused before it is read, chunked or not
    int headerTimeoutSeconds = 10;              // the whole header, from its first byte
    int bodyTimeoutSeconds = 30;                // the whole body; also each answer's sending
    int idleTimeoutSeconds = 60;                // a kept-alive connection waiting for its next request
    std::size_t maxConnections = 4096;
    std::size_t maxConnectionsPerClient = 256; // per client IP address
    std::size_t maxBatch = 100;                // calls in one JSON-RPC batch
    int tokenCacheSeconds = 5;                 // how long an accepted token is trusted without a look-up
    // What one request may cost once it is read.
    CallLimits calls;                                 // report period, rows, list entries
    std::size_t maxAnswerBytes = 64 * 1024 * 1024;    // one answer, all calls of a batch together
    int statementTimeoutSeconds = 10;                 // one statement, lock waits included
    int poolSize = 0;                                 // database connections; 0: one per thread and large-request thread
    int acquireTimeoutMilliseconds = 2000;            // waiting for a free database connection
    // Sign-in: a session ends this long after it began, or after this long unused.
    int sessionHours = 12;
    int sessionIdleMinutes = 60;
    LockoutPolicy lockout;       // failed sign-ins of one operator (in the database)
    int authBurst = 10;          // failed credentials one address may send at once (per process)
    int authPerMinute = 30;      // and then per minute
    // Proxies whose X-Real-IP / X-Forwarded-For name the client (CIDR blocks).
    std::vector<std::string> trustedProxies;
    // HTTPS when both are given: the certificate chain and its private key, PEM files.
    std::string tlsCertFile;
    std::string tlsKeyFile;
    // Plain HTTP beyond loopback is refused unless this is set.
    bool insecurePlainHttp = false;
};

} // namespace pedserver
