// Load driver for pedserver. For each backend (SQLite; PostgreSQL when PED_TEST_PG_URL is set) it
// starts a real server on a volume database (1,000 orders of 5 items on top of the demo data) and
// measures (a) the order screen's load pattern over those 1,000 orders and (b) GetItemPedido calls
// per second over 1 and 4 kept-alive connections, with the server's CPU time for each, beside the
// same calls answered by a bare responder on the same HTTP library (the anchor).
#include "BareResponder.h"
#include "ProcessCpu.h"
#include "testkit/ServerProcess.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using benchcommon::BareResponder;
using testkit::ServerProcess;
using testkit::TestBackend;

constexpr int VolumeOrders = 1000;
constexpr int LoadRuns = 3;
constexpr auto ThroughputTime = std::chrono::seconds(5);

struct VolumeRange {
    std::string branch;
    std::string first;
    std::string last;
    std::vector<std::string> orders;
};

// The volume orders are the branch's highest numbers.
VolumeRange ReadVolumeRange(const ServerProcess& server) {
    const auto db = server.Database().Connect();
    VolumeRange range{"0001", "", "", {}};
    const sqldb::Rows rows = db->Query(
        "SELECT NRPEDIDO FROM PEDIDO WHERE CDFILIAL = :F ORDER BY NRPEDIDO DESC", {{"F", range.branch}});
    for (std::size_t i = 0; i < rows.Size() && i < VolumeOrders; ++i) {
        range.orders.push_back(rows.Text(i, "NRPEDIDO"));
    }
    range.first = range.orders.back();
    range.last = range.orders.front();
    return range;
}

std::string OperatorOf(const ServerProcess& server, const std::string& branch) {
    return server.Database()
        .Connect()
        ->Query("SELECT CDOPERADOR FROM OPERTPED WHERE CDFILIAL = :F ORDER BY CDOPERADOR", {{"F", branch}})
        .Text(0, "CDOPERADOR");
}

std::size_t FieldIndex(const nlohmann::json& packet, const std::string& name) {
    const nlohmann::json& fields = packet.at("fields");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].at("name") == name) {
            return i;
        }
    }
    throw std::runtime_error("the packet has no field " + name);
}

// GetPedido, then GetItemPedido per order and GetItemPedidoSemFiltro2 per order in situation "2".
void ScreenLoad(ServerProcess& server, const VolumeRange& range, const std::string& operatorCode) {
    pedclient::RpcClient client = server.Client(operatorCode);
    for (int run = 1; run <= LoadRuns; ++run) {
        const double cpuBefore = benchserver::ProcessCpuSeconds(server.Pid());
        const auto start = Clock::now();
        const nlohmann::json orders = client.GetPedido({.cdFilial = range.branch,
                                                        .deNrPedido = range.first,
                                                        .ateNrPedido = range.last,
                                                        .tNrPedido = ""});
        const auto afterOrders = Clock::now();
        const std::size_t number = FieldIndex(orders, "NRPEDIDO");
        const std::size_t situation = FieldIndex(orders, "IDSITPEDIDO");
        std::size_t calls = 1;
        for (const nlohmann::json& row : orders["rows"]) {
            const std::string nr = row[number].get<std::string>();
            client.GetItemPedido(range.branch, nr);
            ++calls;
            if (row[situation] == "2") {
                client.GetItemPedidoSemFiltro2(range.branch, nr);
                ++calls;
            }
        }
        const std::chrono::duration<double> total = Clock::now() - start;
        const std::chrono::duration<double> getPedido = afterOrders - start;
        std::printf("  screen load run %d: %zu orders, %zu calls, %.3f s wall (GetPedido %.3f s), server CPU "
                    "%.3f s\n",
                    run, orders["rows"].size(), calls, total.count(), getPedido.count(),
                    benchserver::ProcessCpuSeconds(server.Pid()) - cpuBefore);
    }
}

struct Throughput {
    double callsPerSecond = 0;
    long failures = 0;
};

// GetItemPedido over `connections` kept-alive clients made by `makeClient`, for ThroughputTime.
Throughput MeasureThroughput(const std::function<pedclient::RpcClient()>& makeClient,
                             const VolumeRange& range, int connections) {
    std::atomic<long> calls = 0;
    std::atomic<long> failures = 0;
    const auto start = Clock::now();
    const auto until = start + ThroughputTime;
    std::vector<std::thread> threads;
    for (int c = 0; c < connections; ++c) {
        threads.emplace_back([&, client = makeClient(), c]() mutable {
            for (std::size_t i = static_cast<std::size_t>(c) * 97; Clock::now() < until; ++i) {
                try {
                    client.GetItemPedido(range.branch, range.orders[i % range.orders.size()]);
                    ++calls;
                } catch (const pedclient::RpcClientError&) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    return {static_cast<double>(calls) / elapsed.count(), failures.load()};
}

// The same calls against pedserver and against the bare responder (which answers every call
// with one real GetItemPedido answer), so that the ratio is what the server's work costs.
void CompareThroughput(ServerProcess& server, const VolumeRange& range, const std::string& operatorCode) {
    pedclient::RpcClient probe = server.Client(operatorCode);
    const nlohmann::json sample = probe.Call("GetItemPedido", {range.branch, range.orders.front()});
    BareResponder bare(sample.dump());
    for (const int connections : {1, 4}) {
        const double cpuBefore = benchserver::ProcessCpuSeconds(server.Pid());
        const Throughput real =
            MeasureThroughput([&] { return server.Client(operatorCode); }, range, connections);
        const double cpu = benchserver::ProcessCpuSeconds(server.Pid()) - cpuBefore;
        const Throughput anchor = MeasureThroughput(
            [&] { return pedclient::RpcClient("127.0.0.1", bare.Port(), "bench"); }, range, connections);
        std::printf("  GetItemPedido, %d connection(s): %.0f calls/s (%ld failures, server CPU %.3f s); bare "
                    "responder %.0f calls/s (%ld failures): %.0f%%\n",
                    connections, real.callsPerSecond, real.failures, cpu, anchor.callsPerSecond,
                    anchor.failures, 100.0 * real.callsPerSecond / anchor.callsPerSecond);
    }
}

void RunBackend(TestBackend backend) {
    std::printf("%s\n", testkit::TestDatabase::Name(backend));
    const auto prepare = Clock::now();
    ServerProcess server(
        {.backend = backend, .volumeOrders = VolumeOrders, .volumeItems = 5, .volumeSeed = 1});
    const std::chrono::duration<double> prepared = Clock::now() - prepare;
    std::printf("  init + seed + start: %.2f s\n", prepared.count());
    const VolumeRange range = ReadVolumeRange(server);
    const std::string operatorCode = OperatorOf(server, range.branch);
    ScreenLoad(server, range, operatorCode);
    CompareThroughput(server, range, operatorCode);
    std::printf("  server CPU total: %.3f s\n", benchserver::ProcessCpuSeconds(server.Pid()));
}

} // namespace

int main() {
    try {
        RunBackend(TestBackend::Sqlite);
        if (testkit::TestDatabase::PostgresUrl()) {
            RunBackend(TestBackend::Postgres);
        } else {
            std::printf("PostgreSQL: skipped (PED_TEST_PG_URL is not set)\n");
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_server: %s\n", error.what());
        return 1;
    }
    return 0;
}
