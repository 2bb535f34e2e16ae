#include "rpcclient/FailoverClient.h"
#include "RpcTestSupport.h"
#include "testkit/FixedAnswerServer.h"
#include "testkit/LoopbackSocket.h"

namespace rpctest {
namespace {

using pedclient::FailoverClient;
using pedclient::RpcClientError;
using pedclient::ServerAddress;

ServerAddress Loopback(int port) {
    return {"127.0.0.1", port, false};
}

TEST(ServerList, ParsesSchemesPortsAndRefusesWhatIsNotAServer) {
    const auto servers =
        ServerAddress::ParseList("https://a.example:8443, b:8080,https://c/rdm,http://d", 9000);
    ASSERT_EQ(servers.size(), 4u);
    EXPECT_EQ(servers[0].Text(), "https://a.example:8443");
    EXPECT_EQ(servers[1].Text(), "http://b:8080");
    EXPECT_EQ(servers[2].Text(), "https://c:443");
    EXPECT_EQ(servers[3].Text(), "http://d:9000");
    for (const char* bad : {"", "a:1,,b:2", "ftp://a:21", "a:0", "a:65536", ":80", "a:8x", "a b:80"})
        EXPECT_THROW(ServerAddress::ParseList(bad, 8080), std::invalid_argument) << bad;
    EXPECT_THROW(ServerAddress::ParseList("a", 0), std::invalid_argument) << "no port anywhere";
}

class Failover : public BackendTest {};

TEST_P(Failover, ACallThatCouldNotBeSentGoesToTheNextServerAndLaterCallsStayThere) {
    testkit::ServerProcess& server = SharedServer();
    const testkit::LoopbackSocket refused(false);
    FailoverClient client({Loopback(refused.Port()), Loopback(server.Port())}, server.Token("DEMO"));
    EXPECT_EQ(client.Call("GetParamPedido", {"0001"})["packet"]["rows"].size(), 1u);
    EXPECT_EQ(client.Current().port, server.Port());
    EXPECT_EQ(client.CallBatch({{"GetParamPedido", {"0001"}}, {"GetParamPedido", {"0002"}}}).size(), 2u);

    FailoverClient nobody({Loopback(refused.Port())}, "x");
    try {
        nobody.Call("GetParamPedido", {"0001"});
        ADD_FAILURE() << "a refused server answered";
    } catch (const RpcClientError& error) {
        EXPECT_EQ(error.Code(), RpcClientError::Unavailable);
    }
}

// The first server is a proxy whose upstream died under the request (502): a read is asked
// again of the next server, a change is never sent again and the operator is told to reload.
TEST_P(Failover, ASentChangeIsNeverRepeatedWhileAReadMayBeAskedAgainElsewhere) {
    testkit::ServerProcess server({.backend = GetParam()});
    const DemoFacts facts = ReadDemoFacts(server);
    const testkit::FixedAnswerServer gateway("<html>502 Bad Gateway</html>", 502);
    FailoverClient client({Loopback(gateway.Port()), Loopback(server.Port())}, server.Token("DEMO"));
    EXPECT_EQ(client.Call("GetParamPedido", {facts.branch})["packet"]["rows"].size(), 1u);

    FailoverClient changing({Loopback(gateway.Port()), Loopback(server.Port())}, server.Token("DEMO"));
    const nlohmann::json items = ItemPacket({{facts.branch, "0000000001", "0000000001", "S", "1"}});
    try {
        changing.Call("SetCancelaItemPed", {"DEMO", facts.justification, items, OperBloq});
        ADD_FAILURE() << "the change was taken as done";
    } catch (const RpcClientError& error) {
        EXPECT_EQ(error.Code(), RpcClientError::OutcomeUnknown);
        const std::string message = error.what();
        EXPECT_TRUE(
            message.starts_with("A operação SetCancelaItemPed foi enviada ao servidor de aplicação em "
                                "127.0.0.1:" +
                                std::to_string(gateway.Port()) + ", mas a resposta não chegou ("))
            << message;
        EXPECT_TRUE(message.ends_with(") Não se sabe se ela foi concluída: recarregue os pedidos para ver a "
                                      "situação atual antes de repeti-la."))
            << message;
    }
    EXPECT_EQ(changing.Current().port, gateway.Port()) << "a change does not move on";
    const std::string log = server.LogWhen(
        [](const std::string& text) { return text.find("GetParamPedido") != std::string::npos; });
    EXPECT_EQ(log.find("SetCancelaItemPed"), std::string::npos) << "the change reached the next server";
}

TESTKIT_ON_BOTH_BACKENDS(Failover);

} // namespace
} // namespace rpctest
