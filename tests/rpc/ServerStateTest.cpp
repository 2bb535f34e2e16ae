#include "RpcTestSupport.h"

namespace rpctest {
namespace {

class ServerStateTest : public BackendTest {};

TEST_P(ServerStateTest, AnOrderLockedFromTheCommandLineIsRefusedWithTheClientsOwnText) {
    testkit::ServerProcess server({.backend = GetParam()});
    const DemoFacts facts = ReadDemoFacts(server);
    const auto db = server.Database().Connect();
    const std::string order = CancellableOrder(*db, facts.branch);
    const std::string otherOperator = facts.restrictedOperator;
    ASSERT_EQ(
        server.Pedserver({"lock", "--filial", facts.branch, "--pedido", order, "--operator", otherOperator})
            .exitStatus,
        0);

    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    const auto cancel = [&] {
        nlohmann::json packet =
            client.GetPedido({.cdFilial = facts.branch, .nrPedido = order, .tNrPedido = ""});
        for (nlohmann::json& row : packet["rows"]) {
            row[0] = "S"; // IDCHECK comes first in the order packet
        }
        EXPECT_EQ(packet["fields"][0]["name"], "IDCHECK");
        return client.Call("SetCancelaPed", {facts.allOrdersOperator, facts.justification, packet, OperBloq,
                                             facts.branch, SaldoEmp});
    };
    try {
        cancel();
        ADD_FAILURE() << "a locked order was cancelled";
    } catch (const pedclient::RpcClientError& error) {
        EXPECT_EQ(std::string(error.what()), OperBloq);
    }
    ASSERT_EQ(server.Pedserver({"unlock", "--filial", facts.branch, "--pedido", order}).exitStatus, 0);
    EXPECT_EQ(cancel()["rows"], 1);
    EXPECT_EQ(db->Query("SELECT IDSITPEDIDO FROM PEDIDO WHERE CDFILIAL = :F AND NRPEDIDO = :N",
                        {{"F", facts.branch}, {"N", order}})
                  .Text(0, "IDSITPEDIDO"),
              "4");
}

TEST_P(ServerStateTest, InternalFailuresAnswerAGenericMessageAndLogTheDetails) {
    testkit::ServerProcess server({.backend = GetParam()});
    const DemoFacts facts = ReadDemoFacts(server);
    // Take a table away under the running server, as a broken database would.
    server.Database().Connect()->Execute("ALTER TABLE ITEMPEDIDO RENAME TO ITEMPEDIDO_GONE");

    const HttpAnswer answer =
        PostRaw(server, Request("GetItemPedido", {facts.branch, "0000000001"}, 9).dump(),
                "Bearer " + server.Token(facts.allOrdersOperator));
    EXPECT_EQ(answer.status, 500);
    EXPECT_EQ(answer.json["id"], 9);
    EXPECT_EQ(answer.json["error"]["code"], -32603);
    EXPECT_EQ(answer.json["error"]["message"], "Erro interno do servidor.");
    EXPECT_EQ(answer.body.find("ITEMPEDIDO"), std::string::npos) << "no internal detail reaches the client";
    const std::string log = server.LogWhen(
        [](const std::string& text) { return text.find("outcome=internal") != std::string::npos; });
    EXPECT_NE(log.find("method=GetItemPedido operator=" + facts.allOrdersOperator), std::string::npos);
    EXPECT_NE(log.find("outcome=internal status=500 error="), std::string::npos) << log;
    EXPECT_NE(log.find("ITEMPEDIDO", log.find("outcome=internal")), std::string::npos) << log;
    EXPECT_EQ(GetRaw(server, "/health").status, 200) << "the server itself is still up";
}

TESTKIT_ON_BOTH_BACKENDS(ServerStateTest);

} // namespace
} // namespace rpctest
