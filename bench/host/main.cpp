// Times the order screen's load end to end: `pedhost --platform headless` opens the screen,
// confirms a filter that takes every order of branch 0001 and waits for the load (with its check)
// to end, against a real pedserver on SQLite with N volume orders of 5 items. The anchor of the
// same run is the host doing everything but the load (open the screen, cancel the filter); the
// load's time is the difference. Medians of three runs, for 1,000, 10,000 and 100,000 orders (or
// the counts given as arguments), on SQLite and, when PED_TEST_PG_URL is set, on PostgreSQL (up
// to 10,000 orders unless counts are given).
// Beside it, the direct-SQL floor: the statements the load needs run straight on the database,
// each prepared once, plus one round trip to a bare responder; the server's own time for the
// load's calls (from its metrics, summed over the threads that answer a batch side by side); and
// pedhost's peak resident memory during the load.
#include "BareResponder.h"
#include "HttpGet.h"
#include "rpcclient/RpcClient.h"
#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"
#include "testkit/TestDatabase.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int Runs = 3;

// Every emission date, every order number: the whole branch.
constexpr const char* LoadScript = R"(today 2024-12-31
open PED01000
key depDeEmissao D ctrl
click sbtConfirma
expect frmFiltroCancelaPed.Visible false
)";

constexpr const char* AnchorScript = R"(today 2024-12-31
open PED01000
click sbtCancel
)";

struct HostFigures {
    double seconds = 0;
    long peakResidentKb = 0;
};

HostFigures RunHost(testkit::ServerProcess& server, const std::string& scriptFile) {
    testkit::HostRun run = testkit::HostRun::On(server, PED_PEDHOST_PATH);
    run.script = scriptFile;
    run.fixedBranch = true;
    const auto start = std::chrono::steady_clock::now();
    const testkit::ProcessResult result = run.Run(std::chrono::seconds(300));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (result.exitStatus != 0)
        throw std::runtime_error("pedhost failed:\n" + result.out + result.err);
    return {seconds, result.peakResidentKb};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The server's own time answering calls so far: the sum of its per-method latency sums.
double ServerSeconds(const testkit::ServerProcess& server) {
    std::istringstream metrics(benchcommon::HttpGet(server.Port(), "/metrics"));
    const std::string sum = "pedserver_request_duration_seconds_sum{";
    double seconds = 0;
    for (std::string line; std::getline(metrics, line);) {
        if (line.starts_with(sum))
            seconds += std::stod(line.substr(line.find("} ") + 2));
    }
    return seconds;
}

// The direct-SQL floor: the statements the load needs, run straight on the database on one
// connection, each prepared once: the branch's orders, then for every order its items and, for an
// order in progress, its delivered or reserved items.
double DirectSqlSeconds(const testkit::ServerProcess& server) {
    const auto db = server.Database().Connect();
    const auto start = std::chrono::steady_clock::now();
    const sqldb::Rows orders = db->Query(
        "SELECT P.NRPEDIDO, P.IDSITPEDIDO, C.NMFANTCLIE, P.CDCLIENTE, P.DTENTPED, P.DTPEDIDO, P.NREMPENHO, "
        "P.CDVENDEDOR, V.NMFANVEN, P.IDPRIORIDADE FROM PEDIDO P LEFT JOIN CLIENTE C ON C.CDCLIENTE = "
        "P.CDCLIENTE LEFT JOIN VENDEDOR V ON V.CDVENDEDOR = P.CDVENDEDOR WHERE P.CDFILIAL = :F ORDER BY "
        "P.NRPEDIDO",
        {{"F", "0001"}});
    std::size_t cells = 0;
    for (const sqldb::Row& order : orders) {
        const sqldb::Params params{{"F", "0001"}, {"P", sqldb::AsText(order[0])}};
        cells += db->Query("SELECT I.NRITEMPED, I.IDSITITEMPED, I.CDPRODUTO, PR.NMPRODUTO, I.QTITEMPED, "
                           "PR.SGUNIDADE, I.VRPREUNITPED, PR.CDARVPROD, I.CDJUSTEXCHIS, I.CDOPERADOR, "
                           "I.CDPRODESTO FROM ITEMPEDIDO I LEFT JOIN PRODUTO PR ON PR.CDPRODUTO = I.CDPRODUTO "
                           "WHERE I.CDFILIAL = :F AND I.NRPEDIDO = :P ORDER BY I.NRITEMPED",
                           params)
                     .Size();
        if (sqldb::AsText(order[1]) == "2")
            cells += db->Query("SELECT I.NRITEMPED FROM ITEMPEDIDO I WHERE I.CDFILIAL = :F AND I.NRPEDIDO = :P "
                               "AND (I.QTATENDIDA > 0 OR EXISTS (SELECT 1 FROM RESERVALOTE R WHERE R.CDFILIAL = "
                               "I.CDFILIAL AND R.NRPEDIDO = I.NRPEDIDO AND R.NRITEMPED = I.NRITEMPED))",
                               params)
                         .Size();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (cells == 0)
        throw std::runtime_error("the direct statements read no items");
    return seconds;
}

// One call's round trip to a responder that does no work (median of 101).
double BareRoundTripSeconds() {
    benchcommon::BareResponder bare(R"({"packet":{"fields":[],"rows":[]}})");
    pedclient::RpcClient client("127.0.0.1", bare.Port(), "bench");
    std::vector<double> trips;
    for (int i = 0; i < 101; ++i) {
        const auto start = std::chrono::steady_clock::now();
        client.GetItemPedido("0001", "0000000001");
        trips.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(trips);
}

void Measure(testkit::TestBackend backend, int orders, const testkit::TempDir& folder) {
    testkit::ServerProcessOptions options;
    options.backend = backend;
    options.volumeOrders = orders;
    options.volumeItems = 5;
    testkit::ServerProcess server(options);
    const auto loadScript = folder.Path() / "load.script";
    const auto anchor = folder.Path() / "anchor.script";
    std::ofstream(loadScript) << LoadScript;
    std::ofstream(anchor) << AnchorScript;
    std::vector<double> loads;
    std::vector<double> anchors;
    std::vector<double> serverWork;
    std::vector<double> peaks;
    std::vector<double> direct;
    for (int run = 0; run < Runs; ++run) {
        direct.push_back(DirectSqlSeconds(server));
        anchors.push_back(RunHost(server, anchor.string()).seconds);
        const double before = ServerSeconds(server);
        const HostFigures load = RunHost(server, loadScript.string());
        loads.push_back(load.seconds);
        peaks.push_back(static_cast<double>(load.peakResidentKb) / 1024.0);
        serverWork.push_back(ServerSeconds(server) - before);
    }
    const double load = Median(loads) - Median(anchors);
    const double bare = BareRoundTripSeconds();
    const double floor = Median(direct) + bare;
    std::printf(
        "%s %6d volume orders x 5 items: host run with the load %.3f s, without it (anchor) %.3f s, "
        "load %.3f s; direct-SQL floor %.3f s (the statements alone %.3f s + one bare round trip): "
        "load = %.1f x floor; server's own time %.3f s; pedhost peak resident %.0f MiB\n",
        testkit::TestDatabase::Name(backend), orders, Median(loads), Median(anchors), load, floor,
        Median(direct), load / floor, Median(serverWork), Median(peaks));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    try {
        std::vector<int> counts = {1000, 10000, 100000};
        // The volume seed writes PostgreSQL row by row: 100,000 orders outlast the seed's two
        // minutes, so by default PostgreSQL is measured up to 10,000 orders.
        constexpr int PostgresDefaultMax = 10000;
        const bool countsGiven = argc > 1;
        if (countsGiven) {
            counts.clear();
            for (int i = 1; i < argc; ++i)
                counts.push_back(std::stoi(argv[i]));
        }
        std::vector<testkit::TestBackend> backends = {testkit::TestBackend::Sqlite};
        if (testkit::TestDatabase::PostgresUrl())
            backends.push_back(testkit::TestBackend::Postgres);
        testkit::TempDir folder("bench-host-load");
        for (testkit::TestBackend backend : backends) {
            for (int orders : counts) {
                if (countsGiven || backend != testkit::TestBackend::Postgres || orders <= PostgresDefaultMax)
                    Measure(backend, orders, folder);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_host_load: %s\n", error.what());
        return 1;
    }
    return 0;
}
