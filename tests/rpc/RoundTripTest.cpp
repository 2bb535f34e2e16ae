#include "RpcTestSupport.h"

namespace rpctest {
namespace {

class RoundTripTest : public BackendTest {};

// The packet's rows as maps of field name to value.
std::vector<std::map<std::string, nlohmann::json>> RowsOf(const nlohmann::json& packet) {
    std::vector<std::map<std::string, nlohmann::json>> rows;
    for (const nlohmann::json& row : packet.at("rows")) {
        EXPECT_EQ(row.size(), packet.at("fields").size());
        std::map<std::string, nlohmann::json> named;
        for (std::size_t i = 0; i < row.size() && i < packet["fields"].size(); ++i) {
            named[packet["fields"][i].at("name").get<std::string>()] = row[i];
        }
        rows.push_back(std::move(named));
    }
    return rows;
}

TEST_P(RoundTripTest, GetPedidoReturnsTheBranchOrdersAsADataPacket) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    const nlohmann::json packet = client.GetPedido({.cdFilial = facts.branch});

    const auto db = server.Database().Connect();
    const sqldb::Rows expected = db->Query(
        "SELECT P.NRPEDIDO, C.NMFANTCLIE FROM PEDIDO P JOIN CLIENTE C ON C.CDCLIENTE = P.CDCLIENTE "
        "WHERE P.CDFILIAL = :F AND P.IDSITPEDIDO IN ('1', '2', '4', '6') "
        "AND EXISTS (SELECT 1 FROM ITEMPEDIDO I WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = P.NRPEDIDO) "
        "ORDER BY P.NRPEDIDO",
        {{"F", facts.branch}});
    const auto rows = RowsOf(packet);
    ASSERT_EQ(rows.size(), expected.Size());
    ASSERT_FALSE(rows.empty());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected.Text(i, "NRPEDIDO"));
        EXPECT_EQ(rows[i].at("NRPEDIDO"), expected.Text(i, "NRPEDIDO"));
        EXPECT_EQ(rows[i].at("NMFANTCLIE"), expected.Text(i, "NMFANTCLIE")) << "texts keep their accents";
        EXPECT_EQ(rows[i].at("CDFILIAL"), facts.branch);
        EXPECT_EQ(rows[i].at("IDCHECK"), "N");
    }
    for (const nlohmann::json& field : packet["fields"]) {
        if (field["name"] == "NRPEDIDO") {
            EXPECT_EQ(field["type"], "string");
            EXPECT_EQ(field["size"], 10);
        }
    }
}

TEST_P(RoundTripTest, GetPedidoParametersTravelInTheirDocumentedPositions) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    const auto all = RowsOf(client.GetPedido({.cdFilial = facts.branch}));
    ASSERT_GE(all.size(), 4u);
    const std::string first = all[1].at("NRPEDIDO");
    const std::string last = all[2].at("NRPEDIDO");
    const auto numbers = [](const std::vector<std::map<std::string, nlohmann::json>>& rows) {
        std::vector<std::string> result;
        for (const auto& row : rows) {
            result.push_back(row.at("NRPEDIDO"));
        }
        return result;
    };
    const std::vector<std::string> range = numbers(RowsOf(client.GetPedido(
        {.cdFilial = facts.branch, .deNrPedido = first, .ateNrPedido = last, .tNrPedido = ""})));
    EXPECT_EQ(range, (std::vector<std::string>{first, last}));
    const std::vector<std::string> listed =
        numbers(RowsOf(client.GetPedido({.cdFilial = facts.branch, .nrPedido = last, .tNrPedido = ""})));
    EXPECT_EQ(listed, std::vector<std::string>{last});
}

TEST_P(RoundTripTest, GetItemPedidoReturnsEveryItemOfTheOrder) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    const auto db = server.Database().Connect();
    const sqldb::Rows orders = db->Query("SELECT NRPEDIDO, COUNT(*) AS N FROM ITEMPEDIDO WHERE CDFILIAL = :F "
                                         "GROUP BY NRPEDIDO ORDER BY N DESC, NRPEDIDO",
                                         {{"F", facts.branch}});
    const std::string order = orders.Text(0, "NRPEDIDO");
    const sqldb::Rows items =
        db->Query("SELECT NRITEMPED, IDSITITEMPED FROM ITEMPEDIDO WHERE CDFILIAL = :F AND "
                  "NRPEDIDO = :N ORDER BY NRITEMPED",
                  {{"F", facts.branch}, {"N", order}});

    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    const auto rows = RowsOf(client.GetItemPedido(facts.branch, order));
    ASSERT_EQ(rows.size(), items.Size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].at("NRITEMPED"), items.Text(i, "NRITEMPED"));
        EXPECT_EQ(rows[i].at("IDSITITEMPED"), items.Text(i, "IDSITITEMPED"));
        EXPECT_EQ(rows[i].at("NRPEDIDO"), order);
        EXPECT_TRUE(rows[i].at("QTITEMPED").is_number());
    }
}

TEST_P(RoundTripTest, OneKeptAliveClientServesManyCallsInARow) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    const nlohmann::json first = client.Call("GetParamPedido", {facts.branch});
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(client.Call("GetParamPedido", {facts.branch}), first);
    }
}

TESTKIT_ON_BOTH_BACKENDS(RoundTripTest);

TEST(WorkerPoolTest, MoreClientsThanWorkersAreServedWhileAnIdleConnectionStaysOpen) {
    testkit::ServerProcess server({.threads = 1});
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient first = server.Client(facts.allOrdersOperator);
    first.Call("GetParamPedido", {facts.branch}); // its connection stays open, idle
    {
        pedclient::RpcClient second = server.Client(facts.allOrdersOperator);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_NO_THROW(second.Call("GetParamPedido", {facts.branch}));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1))
            << "an idle connection holds no worker";
    }
    EXPECT_NO_THROW(first.Call("GetParamPedido", {facts.branch}));
}

} // namespace
} // namespace rpctest
