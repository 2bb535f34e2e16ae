#pragma once

#include "server/ServerOptions.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace pedserver {

// The work behind each pedserver subcommand. Each throws on failure; main turns that into a
// message on stderr and a non-zero exit status.
struct SeedOptions {
    bool demo = false;
    std::optional<std::chrono::year_month_day> today;
    int orders = 0;
    int items = 0;
    std::uint64_t seed = 1;
};

// Creates or upgrades the schema; then, with an application role, grants it what serving needs.
void RunInit(const std::string& dbUrl, const std::string& appRole = {});
void RunSeed(const std::string& dbUrl, const SeedOptions& options);
// A machine token: printed once on stdout.
void RunToken(const std::string& dbUrl, const std::string& operatorCode, std::optional<int> days,
              const std::string& label);
// Every token and session, one line each, never the secret or its hash.
void RunTokenList(const std::string& dbUrl);
void RunTokenRevoke(const std::string& dbUrl, long long id);
// Sets an operator's password read from the terminal (twice, not echoed) or from stdin's first line.
void RunPasswd(const std::string& dbUrl, const std::string& operatorCode);
void RunLock(const std::string& dbUrl, const std::string& filial, const std::string& pedido,
             const std::string& operatorCode);
void RunUnlock(const std::string& dbUrl, const std::string& filial, const std::string& pedido);
// Serves on `listen` with the other settings of `limits`; returns the process exit status.
int RunServe(const std::string& dbUrl, const std::string& listen, const ServerOptions& limits);

// "YYYY-MM-DD" as a calendar day; throws std::invalid_argument otherwise.
std::chrono::year_month_day ParseDay(const std::string& text);

} // namespace pedserver
