#include "Commands.h"

#include "secrets/PrivateFile.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>

namespace {

using pedserver::SeedOptions;

// Each subcommand sets `action`; main runs it after parsing so that all errors are reported alike.
struct Command {
    std::string dbUrl;
    std::string dbFile;
    std::function<int()> action;
};

// The database URL from --db, --db-file or PEDSERVER_DB: a URL with a password belongs in the
// file or the environment, never on the command line (ps shows it to every user).
CLI::App* AddSubcommand(CLI::App& app, Command& command, const std::string& name,
                        const std::string& description) {
    CLI::App* sub = app.add_subcommand(name, description);
    CLI::Option* db =
        sub->add_option("--db", command.dbUrl,
                        "Database: sqlite:PATH or postgresql://USER@HOST:PORT/DB (also PEDSERVER_DB; a URL with a "
                        "password goes in PEDSERVER_DB or --db-file, not here)")
            ->envname("PEDSERVER_DB");
    sub->add_option("--db-file", command.dbFile, "Read the database URL from FILE, which only its owner may read")
        ->excludes(db);
    return sub;
}

// The URL itself once the options are read: from the file when one was named.
void ResolveDatabase(Command& command) {
    if (!command.dbFile.empty())
        command.dbUrl = secrets::ReadPrivateFile(command.dbFile);
    if (command.dbUrl.empty())
        throw std::invalid_argument("give the database with PEDSERVER_DB, --db-file FILE or --db URL");
}

void AddStorageCommands(CLI::App& app, Command& command, SeedOptions& seed, std::string& today,
                        std::string& appRole) {
    CLI::App* init = AddSubcommand(app, command, "init", "Create the schema or bring it up to date");
    init->add_option("--app-role", appRole,
                     "PostgreSQL: grant this existing role what a serving pedserver needs, and nothing more");
    init->callback([&] { command.action = [&] { return pedserver::RunInit(command.dbUrl, appRole), 0; }; });

    CLI::App* seedCmd =
        AddSubcommand(app, command, "seed", "Fill the database with demo data and/or volume orders");
    seedCmd->add_flag("--demo", seed.demo, "A realistic demo data set around --today");
    seedCmd->add_option("--today", today, "Day the demo data is built around (YYYY-MM-DD; default: today)");
    seedCmd->add_option("--orders", seed.orders, "Volume data: number of orders")->check(CLI::PositiveNumber);
    seedCmd->add_option("--items", seed.items, "Volume data: items per order")->check(CLI::PositiveNumber);
    seedCmd->add_option("--seed", seed.seed, "Volume data: random seed");
    seedCmd->callback([&] {
        if (!seed.demo && seed.orders == 0) {
            throw CLI::ValidationError("seed", "give --demo, --orders N --items M, or both");
        }
        if (seed.orders > 0 && seed.items <= 0) {
            throw CLI::ValidationError("seed", "--orders needs --items M");
        }
        if (!today.empty()) {
            seed.today = pedserver::ParseDay(today);
        }
        command.action = [&] { return pedserver::RunSeed(command.dbUrl, seed), 0; };
    });
}

// What `token` and `passwd` are told besides the operator.
struct TokenOptions {
    std::optional<int> days;
    std::string label;
    long long id = 0;
};

void AddTokenCommands(CLI::App& app, Command& command, std::string& operatorCode, TokenOptions& options) {
    CLI::App* token = AddSubcommand(app, command, "token",
                                    "Issue a machine token for an operator (printed once), or list or revoke tokens");
    token->add_option("--operator", operatorCode, "Operator code (CDOPERADOR)");
    token->add_option("--expires", options.days, "Days the token lasts (default: until revoked)")
        ->check(CLI::Range(1, 3650));
    token->add_option("--label", options.label, "What the token is for, shown by `token list`");
    CLI::App* list = token->add_subcommand("list", "Every token and session: id, operator, label, dates");
    CLI::App* revoke = token->add_subcommand("revoke", "End a token or session by its id");
    revoke->add_option("ID", options.id, "The token's id (`token list`)")->required();
    for (CLI::App* sub : {list, revoke})
        sub->fallthrough();
    token->require_subcommand(0, 1);
    token->callback([&command, &operatorCode, &options, list, revoke, token] {
        if (token->got_subcommand(list)) {
            command.action = [&] { return pedserver::RunTokenList(command.dbUrl), 0; };
        } else if (token->got_subcommand(revoke)) {
            command.action = [&] { return pedserver::RunTokenRevoke(command.dbUrl, options.id), 0; };
        } else {
            if (operatorCode.empty())
                throw CLI::ValidationError("token", "--operator is required to issue a token");
            command.action = [&] { return pedserver::RunToken(command.dbUrl, operatorCode, options.days, options.label), 0; };
        }
    });

    CLI::App* passwd = AddSubcommand(app, command, "passwd",
                                     "Set an operator's password, read from the terminal or stdin (never an argument)");
    passwd->add_option("--operator", operatorCode, "Operator code (CDOPERADOR)")->required();
    passwd->callback([&] { command.action = [&] { return pedserver::RunPasswd(command.dbUrl, operatorCode), 0; }; });
}

void AddOperatorCommands(CLI::App& app, Command& command, std::string& operatorCode, std::string& filial,
                         std::string& pedido) {

    CLI::App* lock = AddSubcommand(app, command, "lock", "Mark an order as being edited by an operator");
    lock->add_option("--filial", filial, "Branch code")->required();
    lock->add_option("--pedido", pedido, "Order number")->required();
    lock->add_option("--operator", operatorCode, "Operator editing the order")->required();
    lock->callback([&] {
        command.action = [&] { return pedserver::RunLock(command.dbUrl, filial, pedido, operatorCode), 0; };
    });

    CLI::App* unlock = AddSubcommand(app, command, "unlock", "Clear the editing mark of an order");
    unlock->add_option("--filial", filial, "Branch code")->required();
    unlock->add_option("--pedido", pedido, "Order number")->required();
    unlock->callback(
        [&] { command.action = [&] { return pedserver::RunUnlock(command.dbUrl, filial, pedido), 0; }; });
}

// Sign-in: sessions, lock-out, guessing and who the client is behind a proxy.
void AddSignInLimits(CLI::App& serve, pedserver::ServerOptions& limits) {
    serve.add_option("--session-hours", limits.sessionHours, "Hours a sign-in session lasts at most")
        ->check(CLI::Range(1, 48))
        ->capture_default_str();
    serve.add_option("--session-idle-minutes", limits.sessionIdleMinutes, "Minutes a session may go unused")
        ->check(CLI::Range(1, 24 * 60))
        ->capture_default_str();
    serve.add_option("--login-failures", limits.lockout.failures, "Failed sign-ins that lock an operator out")
        ->check(CLI::Range(1, 100))
        ->capture_default_str();
    serve
        .add_option_function<int>(
            "--login-window-minutes", [&limits](int minutes) { limits.lockout.window = std::chrono::minutes(minutes); },
            "Minutes within which the failures count (default 15)")
        ->check(CLI::Range(1, 24 * 60));
    serve
        .add_option_function<int>(
            "--lockout-minutes", [&limits](int minutes) { limits.lockout.lockout = std::chrono::minutes(minutes); },
            "Minutes an operator stays locked out (default 15)")
        ->check(CLI::Range(1, 24 * 60));
    serve.add_option("--auth-burst", limits.authBurst, "Failed credentials one client address may send at once")
        ->check(CLI::Range(1, 100000))
        ->capture_default_str();
    serve.add_option("--auth-per-minute", limits.authPerMinute, "and then per minute, per server process")
        ->check(CLI::Range(1, 100000))
        ->capture_default_str();
    serve.add_option("--trusted-proxy", limits.trustedProxies,
                     "CIDR of a proxy whose X-Real-IP / X-Forwarded-For names the client (repeatable)");
}

// What one request may cost once read: each is refused with its own error code (protocol.md).
void AddCallBudgets(CLI::App& serve, pedserver::ServerOptions& limits) {
    serve.add_option("--max-report-days", limits.calls.maxReportDays, "Longest period of a report, in days")
        ->check(CLI::Range(1, 36600))
        ->capture_default_str();
    serve.add_option("--max-rows", limits.calls.maxRows, "Rows of a report's or GetPedido's answer")
        ->check(CLI::Range(1, 100000000))
        ->capture_default_str();
    serve.add_option("--max-answer-bytes", limits.maxAnswerBytes, "Bytes of one answer (all calls of a batch)")
        ->check(CLI::Range(std::size_t{1024}, std::size_t{4} * 1024 * 1024 * 1024))
        ->capture_default_str();
    serve.add_option("--max-list-entries", limits.calls.maxListEntries, "Codes of one _-joined list argument")
        ->check(CLI::Range(1, 1000000))
        ->capture_default_str();
    serve.add_option("--statement-timeout", limits.statementTimeoutSeconds,
                     "Seconds one database statement may run, lock waits included")
        ->check(CLI::Range(1, 3600))
        ->capture_default_str();
    serve.add_option("--pool-size", limits.poolSize, "Database connections (0: one per thread, plus two for large requests)")
        ->check(CLI::Range(0, 1024))
        ->capture_default_str();
    serve.add_option("--acquire-timeout-ms", limits.acquireTimeoutMilliseconds,
                     "Milliseconds a call waits for a free database connection before \"busy\"")
        ->check(CLI::Range(1, 600000))
        ->capture_default_str();
}

void AddServeLimits(CLI::App& serve, pedserver::ServerOptions& limits) {
    serve.add_option("--threads", limits.threads, "Threads serving connections, each with one database connection")
        ->check(CLI::Range(1, 256))
        ->capture_default_str();
    serve.add_option("--max-header-bytes", limits.maxHeaderBytes, "Request line and headers, in bytes")
        ->check(CLI::Range(1024, 1024 * 1024))
        ->capture_default_str();
    serve.add_option("--max-headers", limits.maxHeaderCount, "Header fields per request")
        ->check(CLI::Range(8, 1000))
        ->capture_default_str();
    serve.add_option("--max-body-bytes", limits.maxBodyBytes, "Request body, in bytes (chunked or not)")
        ->check(CLI::Range(1024, 1024 * 1024 * 1024))
        ->capture_default_str();
    serve.add_option("--header-timeout", limits.headerTimeoutSeconds, "Seconds for a request's whole header")
        ->check(CLI::Range(1, 3600))
        ->capture_default_str();
    serve.add_option("--body-timeout", limits.bodyTimeoutSeconds, "Seconds for a request's whole body")
        ->check(CLI::Range(1, 3600))
        ->capture_default_str();
    serve.add_option("--idle-timeout", limits.idleTimeoutSeconds, "Seconds a kept-alive connection may idle")
        ->check(CLI::Range(1, 86400))
        ->capture_default_str();
    serve.add_option("--max-connections", limits.maxConnections, "Open connections in all")
        ->check(CLI::Range(1, 1000000))
        ->capture_default_str();
    serve
        .add_option("--max-connections-per-client", limits.maxConnectionsPerClient,
                    "Open connections per client address")
        ->check(CLI::Range(1, 1000000))
        ->capture_default_str();
    serve.add_option("--max-batch", limits.maxBatch, "Calls in one JSON-RPC batch")
        ->check(CLI::Range(1, 10000))
        ->capture_default_str();
    AddCallBudgets(serve, limits);
    AddSignInLimits(serve, limits);
    serve
        .add_option("--token-cache-seconds", limits.tokenCacheSeconds,
                    "How long an accepted token is trusted without a database look-up (0: always look up)")
        ->check(CLI::Range(0, 300))
        ->capture_default_str();
}

void AddServeCommand(CLI::App& app, Command& command, std::string& listen, pedserver::ServerOptions& limits) {
    CLI::App* serve =
        AddSubcommand(app, command, "serve", "Serve JSON-RPC over HTTP until SIGINT or SIGTERM");
    serve->add_option("--listen", listen, "HOST:PORT to listen on; port 0 picks a free one")
        ->capture_default_str();
    AddServeLimits(*serve, limits);
    serve->add_option("--tls-cert", limits.tlsCertFile, "Serve HTTPS with this certificate chain (PEM)")
        ->check(CLI::ExistingFile);
    serve->add_option("--tls-key", limits.tlsKeyFile, "The certificate's private key (PEM)")
        ->check(CLI::ExistingFile);
    serve->add_flag("--insecure-plain-http", limits.insecurePlainHttp,
                    "Allow plain HTTP on an address other than loopback (tokens then cross the network in clear text)");
    serve->callback(
        [&] { command.action = [&] { return pedserver::RunServe(command.dbUrl, listen, limits); }; });
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app("pedserver: application server of the order-cancellation screen", "pedserver");
    app.require_subcommand(1);
    Command command;
    SeedOptions seed;
    std::string today, operatorCode, filial, pedido, appRole;
    std::string listen = "127.0.0.1:8080";
    pedserver::ServerOptions limits;
    AddStorageCommands(app, command, seed, today, appRole);
    AddOperatorCommands(app, command, operatorCode, filial, pedido);
    TokenOptions tokenOptions;
    AddTokenCommands(app, command, operatorCode, tokenOptions);
    AddServeCommand(app, command, listen, limits);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    } catch (const std::exception& error) {
        std::cerr << "pedserver: " << error.what() << "\n";
        return 2;
    }
    try {
        ResolveDatabase(command);
    } catch (const std::exception& error) {
        std::cerr << "pedserver " << app.get_subcommands().front()->get_name() << ": " << error.what() << "\n";
        return 2;
    }
    try {
        return command.action();
    } catch (const std::exception& error) {
        std::cerr << "pedserver " << app.get_subcommands().front()->get_name() << ": " << error.what()
                  << "\n";
        return 1;
    }
}
