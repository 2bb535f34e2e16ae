// bench_operators: N simulated operators through nginx (TLS) on K pedserver processes sharing one
// PostgreSQL database. Prints throughput and p50/p95/p99 latency per method, the CPU each process
// used, PostgreSQL's connections, and checks the invariants at the end.
// Usage: scripts/with-postgres.sh build/release/bin/bench_operators [--operators 200] [--servers 2]
//        [--seconds 20] [--orders 2000] [--threads 8]
#include "OperatorLoad.h"
#include "ProcessCpu.h"
#include "testkit/NginxProcess.h"
#include "testkit/ServerProcess.h"
#include "testkit/TestCertificates.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Settings {
    int operators = 200;
    int servers = 2;
    int seconds = 20;
    int orders = 2000;
    int threads = 8;
};

Settings Parse(int argc, char** argv) {
    Settings settings;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const int value = std::stoi(argv[i + 1]);
        if (name == "--operators")
            settings.operators = value;
        else if (name == "--servers")
            settings.servers = value;
        else if (name == "--seconds")
            settings.seconds = value;
        else if (name == "--orders")
            settings.orders = value;
        else if (name == "--threads")
            settings.threads = value;
        else
            throw std::invalid_argument("unknown option " + name);
    }
    return settings;
}

std::int64_t Count(sqldb::Connection& db, const std::string& sql, const sqldb::Params& params = {}) {
    return sqldb::AsInt(db.Query(sql, params).At(0, "N"));
}

// Per commitment, its balance plus its live items' value, as exact text from PostgreSQL.
std::vector<std::string> CommitmentTotals(sqldb::Connection& db) {
    std::vector<std::string> totals;
    for (const sqldb::Row& row :
         db.Query("SELECT E.NREMPENHO, E.VRSALDO + COALESCE((SELECT SUM(ROUND(I.QTITEMPED * I.VRPREUNITPED, "
                  "2)) FROM "
                  "ITEMPEDIDO I JOIN PEDIDO P ON P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO WHERE "
                  "P.NREMPENHO = E.NREMPENHO AND I.IDSITITEMPED <> '5'), 0) AS T FROM EMPENHO E ORDER BY 1"))
        totals.push_back(sqldb::AsText(row[0]) + "=" + sqldb::AsText(row[1]));
    return totals;
}

std::vector<pid_t> DatabaseBackends(sqldb::Connection& db) {
    std::vector<pid_t> pids;
    for (const sqldb::Row& row : db.Query("SELECT pid FROM pg_stat_activity WHERE datname = "
                                          "current_database() AND pid <> pg_backend_pid()"))
        pids.push_back(static_cast<pid_t>(sqldb::AsInt(row[0])));
    return pids;
}

double CpuOf(const std::vector<pid_t>& pids) {
    double seconds = 0;
    for (pid_t pid : pids)
        seconds += benchserver::ProcessCpuSeconds(pid);
    return seconds;
}

void PrintLatencies(benchdeploy::LoadTally& tally, double seconds) {
    std::printf("%-26s %9s %9s %9s %9s %9s\n", "method", "calls", "calls/s", "p50 ms", "p95 ms", "p99 ms");
    std::size_t total = 0;
    for (auto& [method, values] : tally.milliseconds) {
        std::sort(values.begin(), values.end());
        total += values.size();
        std::printf("%-26s %9zu %9.1f %9.2f %9.2f %9.2f\n", method.c_str(), values.size(),
                    static_cast<double>(values.size()) / seconds, benchdeploy::Percentile(values, 0.50),
                    benchdeploy::Percentile(values, 0.95), benchdeploy::Percentile(values, 0.99));
    }
    std::printf("%-26s %9zu %9.1f\n", "all exchanges", total, static_cast<double>(total) / seconds);
}

// The audit rows the run wrote match what the calls reported; no cancelled order has a live
// item; commitments' balances plus their live items are what they were.
bool CheckInvariants(sqldb::Connection& db, std::int64_t lastAudit, benchdeploy::LoadTally& tally,
                     const std::vector<std::string>& totalsBefore) {
    const auto audit = [&](const std::string& where) {
        return Count(db, "SELECT COUNT(*) AS N FROM HISTCANCPED WHERE IDHIST > :LAST AND " + where,
                     {{"LAST", lastAudit}});
    };
    const std::int64_t orders = audit("NRITEMPED IS NULL AND IDOPERACAO IN ('CP', 'RP')");
    const std::int64_t cancelled = audit("NRITEMPED IS NOT NULL AND IDOPERACAO = 'CI'");
    const std::int64_t undone = audit("NRITEMPED IS NOT NULL AND IDOPERACAO = 'DI'");
    const std::int64_t broken = Count(
        db,
        "SELECT COUNT(*) AS N FROM PEDIDO P WHERE P.IDSITPEDIDO = '4' AND EXISTS (SELECT 1 FROM ITEMPEDIDO I "
        "WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = P.NRPEDIDO AND I.IDSITITEMPED IN ('1', '2', '3'))");
    const bool balances = CommitmentTotals(db) == totalsBefore;
    std::printf(
        "invariants: audit CP/RP %lld = orders cancelled or reinstated %lld, CI %lld = items cancelled "
        "%lld, DI %lld = items undone %lld, cancelled orders with live items %lld, commitment balances "
        "%s\n",
        static_cast<long long>(orders), static_cast<long long>(tally.rowsChanged["SetCancelaPed"]),
        static_cast<long long>(cancelled), static_cast<long long>(tally.rowsChanged["SetCancelaItemPed"]),
        static_cast<long long>(undone), static_cast<long long>(tally.rowsChanged["SetDesfazCancel"]),
        static_cast<long long>(broken), balances ? "kept" : "CHANGED");
    return orders == tally.rowsChanged["SetCancelaPed"] &&
           cancelled == tally.rowsChanged["SetCancelaItemPed"] &&
           undone == tally.rowsChanged["SetDesfazCancel"] && broken == 0 && balances;
}

// K servers on one PostgreSQL database of their own and nginx over TLS in front of them.
struct Deployment {
    explicit Deployment(const Settings& settings) {
        const std::vector<std::string> serveArgs{"--max-connections-per-client", "4096"};
        servers.push_back(std::make_unique<testkit::ServerProcess>(
            testkit::ServerProcessOptions{.backend = testkit::TestBackend::Postgres,
                                          .volumeOrders = settings.orders,
                                          .threads = settings.threads,
                                          .serveArgs = serveArgs}));
        for (int i = 1; i < settings.servers; ++i)
            servers.push_back(std::make_unique<testkit::ServerProcess>(
                testkit::ServerProcessOptions{.threads = settings.threads,
                                              .serveArgs = serveArgs,
                                              .databaseUrl = servers[0]->DatabaseUrl()}));
        certificates = std::make_unique<testkit::TestCertificates>(folder.Path());
        const auto certificate = certificates->Issue("localhost", {"DNS:localhost", "IP:127.0.0.1"});
        std::vector<int> ports;
        for (const auto& server : servers)
            ports.push_back(server->Port());
        port = testkit::NginxProcess::FreePort();
        nginx = std::make_unique<testkit::NginxProcess>(
            folder.Path(), PED_DEPLOY_SITE,
            testkit::NginxProcess::PedserverSite(ports, port, certificate.certificate, certificate.key),
            port);
    }

    testkit::TempDir folder{"bench-operators"};
    std::vector<std::unique_ptr<testkit::ServerProcess>> servers;
    std::unique_ptr<testkit::TestCertificates> certificates;
    int port = 0;
    std::unique_ptr<testkit::NginxProcess> nginx;
};

// CPU seconds used so far by each process of the run, by name.
std::vector<std::pair<std::string, double>> CpuNow(const Deployment& deployment, sqldb::Connection& db) {
    std::vector<std::pair<std::string, double>> cpu;
    for (std::size_t i = 0; i < deployment.servers.size(); ++i)
        cpu.emplace_back("pedserver " + std::to_string(i + 1),
                         benchserver::ProcessCpuSeconds(deployment.servers[i]->Pid()));
    cpu.emplace_back("nginx", benchserver::ProcessCpuSeconds(deployment.nginx->Pid()));
    const std::vector<pid_t> backends = DatabaseBackends(db);
    cpu.emplace_back("PostgreSQL (" + std::to_string(backends.size()) + " backends)", CpuOf(backends));
    cpu.emplace_back("operators (this process, TLS clients)", benchserver::ProcessCpuSeconds(getpid()));
    return cpu;
}

void PrintCpu(const std::vector<std::pair<std::string, double>>& before,
              const std::vector<std::pair<std::string, double>>& after, double seconds) {
    for (std::size_t i = 0; i < after.size(); ++i) {
        const double used = after[i].second - before[i].second;
        std::printf("CPU %-40s %6.1f s (%3.0f%% of one core)\n", after[i].first.c_str(), used,
                    100 * used / seconds);
    }
    std::printf("cores: %u\n", std::thread::hardware_concurrency());
}

// One operator per window of 20 orders, the windows 10 orders apart, so neighbours overlap.
std::vector<std::unique_ptr<benchdeploy::OperatorLoad>>
MakeOperators(const Settings& settings, const Deployment& deployment, const std::vector<std::string>& orders,
              const std::string& token, const std::string& justification) {
    std::vector<std::unique_ptr<benchdeploy::OperatorLoad>> operators;
    constexpr std::size_t windowSize = 20;
    for (int i = 0; i < settings.operators; ++i) {
        const std::size_t first = (static_cast<std::size_t>(i) * 10) % (orders.size() - windowSize);
        operators.push_back(std::make_unique<benchdeploy::OperatorLoad>(
            pedclient::FailoverClient({{"localhost", deployment.port, true}}, token, {},
                                      deployment.certificates->Authority().string()),
            "0001", "DEMO", justification,
            std::vector<std::string>(orders.begin() + static_cast<long>(first),
                                     orders.begin() + static_cast<long>(first + windowSize)),
            static_cast<unsigned>(i) * 7919u + 1u));
    }
    return operators;
}

// Runs every operator on a thread of its own for the time given; returns the seconds it took.
double RunLoad(std::vector<std::unique_ptr<benchdeploy::OperatorLoad>>& operators, int seconds,
               benchdeploy::LoadTally& tally) {
    const auto start = Clock::now();
    const auto until = start + std::chrono::seconds(seconds);
    std::vector<std::thread> threads;
    for (auto& load : operators)
        threads.emplace_back([&load, &tally, until] { load->Run(until, tally); });
    for (std::thread& thread : threads)
        thread.join();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) try {
    const Settings settings = Parse(argc, argv);
    if (!testkit::TestDatabase::PostgresUrl() || !testkit::NginxProcess::Program() ||
        !testkit::TestCertificates::Available()) {
        std::cerr << "needs PED_TEST_PG_URL (scripts/with-postgres.sh), nginx and openssl\n";
        return 2;
    }
    Deployment deployment(settings);
    const auto db = sqldb::Connection::Open(deployment.servers[0]->DatabaseUrl());
    std::vector<std::string> orders;
    for (const sqldb::Row& row : db->Query(
             "SELECT NRPEDIDO FROM PEDIDO WHERE CDFILIAL = '0001' AND CDOPERALTE IS NULL ORDER BY NRPEDIDO"))
        orders.push_back(sqldb::AsText(row[0]));
    const std::string justification =
        db->Query("SELECT CDJUSTEXCHIS FROM JUSTEXCHIS ORDER BY CDJUSTEXCHIS").Text(0, "CDJUSTEXCHIS");
    const std::int64_t lastAudit = Count(*db, "SELECT COALESCE(MAX(IDHIST), 0) AS N FROM HISTCANCPED");
    const std::vector<std::string> totalsBefore = CommitmentTotals(*db);
    auto operators =
        MakeOperators(settings, deployment, orders, deployment.servers[0]->Token("DEMO"), justification);

    const auto cpuBefore = CpuNow(deployment, *db);
    benchdeploy::LoadTally tally;
    const double seconds = RunLoad(operators, settings.seconds, tally);
    const auto cpuAfter = CpuNow(deployment, *db);

    std::printf("%d operators, %d servers (%d workers each), %zu orders, %.1f s, through nginx over TLS\n",
                settings.operators, settings.servers, settings.threads, orders.size(), seconds);
    PrintLatencies(tally, seconds);
    std::printf("refused (another operator changed the order first): %d; failures: %zu%s%s\n", tally.refused,
                tally.failures.size(), tally.failures.empty() ? "" : ", first: ",
                tally.failures.empty() ? "" : tally.failures.front().c_str());
    PrintCpu(cpuBefore, cpuAfter, seconds);
    return CheckInvariants(*db, lastAudit, tally, totalsBefore) && tally.failures.empty() ? 0 : 1;
} catch (const std::exception& error) {
    std::cerr << "bench_operators: " << error.what() << "\n";
    return 1;
}
