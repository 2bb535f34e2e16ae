#include "Commands.h"

#include "PasswordPrompt.h"
#include "SignalStopper.h"
#include "server/RpcServer.h"
#include "sqldb/Connection.h"
#include "storage/Timestamps.h"
#include "storage/Database.h"
#include "storage/Passwords.h"

#include <boost/asio/ip/address.hpp>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <sys/resource.h>

namespace pedserver {

namespace {

// Opens the database and makes sure `pedserver init` has run on it.
std::unique_ptr<sqldb::Connection> OpenInitialised(const std::string& dbUrl) {
    std::unique_ptr<sqldb::Connection> connection = sqldb::Connection::Open(dbUrl);
    if (SchemaVersion(*connection) == 0) {
        throw std::runtime_error("the database has no schema yet; run 'pedserver init' first");
    }
    return connection;
}

ServerOptions ParseListen(const std::string& listen, ServerOptions options) {
    const std::size_t colon = listen.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == listen.size()) {
        throw std::invalid_argument("--listen must be HOST:PORT, e.g. 127.0.0.1:8080");
    }
    options.host = listen.substr(0, colon);
    const std::string portText = listen.substr(colon + 1);
    std::size_t used = 0;
    int port = -1;
    try {
        port = std::stoi(portText, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != portText.size() || port < 0 || port > 65535) {
        throw std::invalid_argument("--listen: '" + portText + "' is not a port number (0-65535)");
    }
    options.port = port;
    return options;
}

// Every open connection is a descriptor: take the whole hard limit, not the usual 1,024.
void RaiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// Whether only this machine can reach the address (a name other than "localhost" counts as reachable).
bool IsLoopback(const std::string& host) {
    if (host == "localhost")
        return true;
    boost::system::error_code error;
    const auto address = boost::asio::ip::make_address(host, error);
    return !error && address.is_loopback();
}

} // namespace

std::chrono::year_month_day ParseDay(const std::string& text) {
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    char tail = 0;
    if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2u-%2u%c", &year, &month, &day, &tail) != 3) {
        throw std::invalid_argument("'" + text + "' is not a date in the form YYYY-MM-DD");
    }
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                           std::chrono::day(day)};
    if (!date.ok()) {
        throw std::invalid_argument("'" + text + "' is not a valid calendar date");
    }
    return date;
}

void RunInit(const std::string& dbUrl, const std::string& appRole) {
    std::unique_ptr<sqldb::Connection> connection = sqldb::Connection::Open(dbUrl);
    MigrateSchema(*connection);
    std::cerr << "schema at version " << SchemaVersion(*connection) << "\n";
    if (!appRole.empty()) {
        GrantAppRole(*connection, appRole);
        std::cerr << "role " << appRole << " may serve: it reads, changes orders and appends to the audit\n";
    }
}

void RunSeed(const std::string& dbUrl, const SeedOptions& options) {
    std::unique_ptr<sqldb::Connection> connection = OpenInitialised(dbUrl);
    if (options.demo) {
        const auto today = options.today.value_or(std::chrono::year_month_day(
            std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())));
        SeedDemo(*connection, today);
    }
    if (options.orders > 0) {
        SeedVolume(*connection, options.orders, options.items, options.seed);
    }
    // PostgreSQL plans by its statistics, and autovacuum gathers them only a while after a bulk
    // load: a server started at once would read lists of orders by scanning the branch.
    if (connection->GetBackend() == sqldb::Backend::Postgres)
        connection->ExecuteScript("ANALYZE");
}

void RunToken(const std::string& dbUrl, const std::string& operatorCode, std::optional<int> days,
              const std::string& label) {
    std::unique_ptr<sqldb::Connection> connection = OpenInitialised(dbUrl);
    const IssuedToken token = IssueToken(*connection, operatorCode, days, label);
    std::cout << token.secret << std::endl;
    std::cerr << "token for " << operatorCode << (token.expires.empty() ? " without an end" : " until " + token.expires)
              << "\n";
}

void RunTokenList(const std::string& dbUrl) {
    std::unique_ptr<sqldb::Connection> connection = OpenInitialised(dbUrl);
    const auto shown = [](const std::string& text) { return text.empty() ? std::string("-") : text; };
    std::cout << "ID\tKIND\tOPERATOR\tLABEL\tCREATED\tEXPIRES\tLAST-USED\tREVOKED\n";
    for (const TokenInfo& token : ListTokens(*connection))
        std::cout << token.id << '\t' << token.kind << '\t' << token.operatorCode << '\t' << shown(token.label) << '\t'
                  << shown(token.created) << '\t' << shown(token.expires) << '\t' << shown(token.lastUsed) << '\t'
                  << shown(token.revoked) << '\n';
}

void RunTokenRevoke(const std::string& dbUrl, long long id) {
    std::unique_ptr<sqldb::Connection> connection = OpenInitialised(dbUrl);
    const std::optional<std::string> operatorCode = RevokeToken(*connection, id);
    if (!operatorCode)
        throw std::invalid_argument("no token " + std::to_string(id) + " to revoke (unknown, or revoked already)");
    // An event line as the servers' logs have them; the servers refuse it within their token cache's time.
    std::cerr << "ts=" << NowTimestamp() << " event=revoke id=" << id << " operator=" << *operatorCode << "\n";
}

void RunPasswd(const std::string& dbUrl, const std::string& operatorCode) {
    std::unique_ptr<sqldb::Connection> connection = OpenInitialised(dbUrl);
    SetPassword(*connection, operatorCode, ReadPassword("Senha de " + operatorCode));
    std::cerr << "password of " << operatorCode << " set\n";
}

void RunLock(const std::string& dbUrl, const std::string& filial, const std::string& pedido,
             const std::string& operatorCode) {
    std::unique_ptr<sqldb::Connection> connection = OpenInitialised(dbUrl);
    LockOrder(*connection, filial, pedido, operatorCode);
}

void RunUnlock(const std::string& dbUrl, const std::string& filial, const std::string& pedido) {
    std::unique_ptr<sqldb::Connection> connection = OpenInitialised(dbUrl);
    UnlockOrder(*connection, filial, pedido);
}

int RunServe(const std::string& dbUrl, const std::string& listen, const ServerOptions& limits) {
    const ServerOptions options = ParseListen(listen, limits);
    OpenInitialised(dbUrl);
    RaiseDescriptorLimit();
    // A client that hangs up mid-answer must not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    if (options.tlsCertFile.empty() && !IsLoopback(options.host)) {
        if (!options.insecurePlainHttp)
            throw std::invalid_argument("refusing to serve plain HTTP on " + options.host +
                                        ", which other machines can reach: tokens would travel in clear text. Use "
                                        "--tls-cert and --tls-key, listen on loopback behind a proxy that terminates "
                                        "TLS, or give --insecure-plain-http to do it anyway");
        std::cerr << "warning: serving plain HTTP on " << options.host
                  << ", which other machines can reach: tokens travel in clear text (--insecure-plain-http).\n";
    }
    if (const char* clockFile = std::getenv("PEDSERVER_CLOCK_FILE"))
        std::cerr << "warning: the time is read from " << clockFile
                  << " (PEDSERVER_CLOCK_FILE), not the system's clock: sessions and lock-outs follow it.\n";
    // The signals are blocked before the server starts any thread, so they all reach the stopper.
    std::atomic<RpcServer*> running = nullptr;
    SignalStopper stopper([&running] {
        if (RpcServer* server = running.load())
            server->Stop();
    });
    RpcServer server(dbUrl, options, std::cerr);
    running = &server;
    if (stopper.Received() != 0)
        server.Stop(); // the signal came while the server was being made
    const int port = server.Bind();
    std::cout << "listening " << options.host << ":" << port << std::endl;
    server.Run();
    std::cerr << "stopped" << (stopper.Received() != 0 ? " on signal" : "") << "\n";
    return 0;
}

} // namespace pedserver
