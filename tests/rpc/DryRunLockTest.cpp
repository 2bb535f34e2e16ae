#include "RpcTestSupport.h"
#include "sqldb/Transaction.h"

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace rpctest {
namespace {

using namespace std::chrono_literals;

// A dry run through a real server takes the locks its command would take: while another
// transaction holds the order (PostgreSQL: its row; SQLite: the writer's lock) the dry run waits,
// and once that transaction ends it answers what the command would do.
class DryRunLockTest : public BackendTest {};

TEST_P(DryRunLockTest, ADryRunWaitsForTheOrdersLockAndThenAnswersWithoutWriting) {
    testkit::ServerProcess server(testkit::ServerProcessOptions{.backend = GetParam()});
    auto db = server.Database().Connect();
    const auto orders = db->Query(
        "SELECT P.CDFILIAL, P.NRPEDIDO FROM PEDIDO P WHERE P.IDSITPEDIDO = '1' AND P.CDOPERALTE IS NULL AND "
        "EXISTS (SELECT 1 FROM ITEMPEDIDO I WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = P.NRPEDIDO AND "
        "I.NRITEMPED = '0000000001' AND I.IDSITITEMPED = '1') ORDER BY P.CDFILIAL, P.NRPEDIDO");
    ASSERT_FALSE(orders.IsEmpty());
    const std::string filial = orders.Text(0, "CDFILIAL"), pedido = orders.Text(0, "NRPEDIDO");
    const nlohmann::json params = {"DEMO", "0001", ItemPacket({{filial, pedido, "0000000001", "S", "1"}}),
                                   OperBloq};
    const auto audit = [&] {
        return sqldb::AsInt(db->Query("SELECT COUNT(*) AS N FROM HISTCANCPED").At(0, "N"));
    };
    const auto before = audit();

    pedclient::RpcClient client = server.Client("DEMO"); // issuing its token writes
    std::future<nlohmann::json> answer;
    std::atomic<bool> answered = false;
    {
        sqldb::Transaction holder(*db);
        if (GetParam() == TestBackend::Postgres)
            db->Query("SELECT 1 FROM PEDIDO WHERE CDFILIAL = :F AND NRPEDIDO = :P FOR UPDATE",
                      {{"F", filial}, {"P", pedido}});
        answer = std::async(std::launch::async, [&answered, &params, client = std::move(client)]() mutable {
            auto result = client.Call("GetSimulaCancelaItemPed", params);
            answered = true;
            return result;
        });
        std::this_thread::sleep_for(500ms);
        EXPECT_FALSE(answered) << "the dry run did not wait for the order's lock";
    } // the holder rolls back and lets the dry run in
    const auto result = answer.get();
    const auto& rows = result.at("packet").at("rows");
    ASSERT_EQ(rows.size(), 1u) << result.dump();
    EXPECT_EQ(rows[0][0], "I");
    EXPECT_EQ(rows[0][3], "0000000001");
    EXPECT_EQ(rows[0][4].get<std::string>() + rows[0][5].get<std::string>(), "15");
    EXPECT_EQ(audit(), before);
    EXPECT_EQ(db->Query("SELECT IDSITITEMPED FROM ITEMPEDIDO WHERE CDFILIAL = :F AND NRPEDIDO = :P AND "
                        "NRITEMPED = '0000000001'",
                        {{"F", filial}, {"P", pedido}})
                  .Text(0, "IDSITITEMPED"),
              "1");
}

TESTKIT_ON_BOTH_BACKENDS(DryRunLockTest);

} // namespace
} // namespace rpctest
