#include "OverlappingRun.h"
#include "RpcTestSupport.h"

namespace rpctest {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int Workers = 8;
constexpr auto RunFor = std::chrono::seconds(3);

class ConcurrencyTest : public BackendTest {};

TEST_P(ConcurrencyTest, OverlappingChangesFromEightClientsKeepOrdersItemsBalancesAndAuditConsistent) {
    testkit::ServerProcess server({.backend = GetParam(), .threads = Workers + 2});
    const auto db = server.Database().Connect();
    const RunStart start = RunStart::Read(*db);
    ASSERT_GE(start.orders.size(), 8u);
    std::vector<pedclient::FailoverClient> clients;
    for (int i = 0; i < Workers; ++i)
        clients.emplace_back(std::vector<pedclient::ServerAddress>{{server.Host(), server.Port(), false}},
                             server.Token(start.operatorCode));
    Tally tally;
    RunClients(std::move(clients), start, Clock::now() + RunFor, tally);
    EXPECT_EQ(tally.lost, 0);
    ExpectRunConsistent(*db, start, tally);
}

TESTKIT_ON_BOTH_BACKENDS(ConcurrencyTest);

} // namespace
} // namespace rpctest
