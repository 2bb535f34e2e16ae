#include "RawHttp.h"
#include "RpcTestSupport.h"

#include <atomic>
#include <sys/resource.h>
#include <thread>

namespace rpctest {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

// A server with short request deadlines, so the tests see them pass, and room for a thousand
// connections from this one address.
class HostileTrafficTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        m_server = std::make_unique<testkit::ServerProcess>(
            testkit::ServerProcessOptions{.backend = GetParam(),
                                          .serveArgs = {"--header-timeout", "2", "--body-timeout", "2",
                                                        "--max-connections-per-client", "2000"}});
        m_facts = ReadDemoFacts(*m_server);
        m_token = m_server->Token(m_facts.allOrdersOperator);
    }

    // An authorised request's header, announcing `length` bytes of body.
    std::string Head(std::size_t length, const std::string& extraHeaders = "") const {
        return "POST " + RpcPath + " HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer " + m_token +
               "\r\nContent-Type: application/json\r\n" + extraHeaders +
               "Content-Length: " + std::to_string(length) + "\r\n\r\n";
    }
    std::string Post(const std::string& body) const { return Head(body.size()) + body; }

    std::string Call(int id) const { return Request("GetParamPedido", {m_facts.branch}, id).dump(); }

    std::unique_ptr<testkit::ServerProcess> m_server;
    DemoFacts m_facts;
    std::string m_token;
};

void RaiseDescriptorLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
}

TEST_P(HostileTrafficTest, AChunkedBodyWithoutATokenIsRefusedBeforeItIsRead) {
    const long before = ResidentKiB(m_server->Pid());
    RawConnection attacker(m_server->Port());
    ASSERT_TRUE(attacker.Send("POST " + RpcPath +
                              " HTTP/1.1\r\nHost: x\r\nContent-Type: application/json\r\n"
                              "Transfer-Encoding: chunked\r\n\r\n"));
    std::atomic<long> peak = before;
    std::thread sender([&] {
        const std::string chunk = "100000\r\n" + std::string(1024 * 1024, '[') + "\r\n";
        for (int mebibyte = 0; mebibyte < 64 && attacker.Send(chunk); ++mebibyte)
            peak = std::max(peak.load(), ResidentKiB(m_server->Pid()));
    });
    const auto answer = attacker.Read(seconds(10));
    sender.join();
    peak = std::max(peak.load(), ResidentKiB(m_server->Pid()));
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->status == 401 || answer->status == 413) << answer->head;
    EXPECT_LT(peak - before, 16 * 1024) << "KiB the server grew by";
    EXPECT_NO_THROW(m_server->Client(m_facts.allOrdersOperator).Call("GetParamPedido", {m_facts.branch}));
}

TEST_P(HostileTrafficTest, SlowAndIdleConnectionsDoNotDelayARealClient) {
    RaiseDescriptorLimit();
    std::vector<std::unique_ptr<RawConnection>> idle, slow;
    for (int i = 0; i < 1000; ++i)
        idle.push_back(std::make_unique<RawConnection>(m_server->Port()));
    for (int i = 0; i < 8; ++i) {
        slow.push_back(std::make_unique<RawConnection>(m_server->Port()));
        // Half stop in the header, half in a body that promises more than comes.
        slow.back()->Send(i % 2 ? "POST " + RpcPath + " HTTP/1.1\r\nHost: x\r\n" : Head(100) + "{");
    }
    std::atomic<bool> dripping = true;
    std::thread dripper([&] {
        while (dripping) {
            for (auto& connection : slow)
                connection->Send(" ");
            std::this_thread::sleep_for(milliseconds(250));
        }
    });
    const auto start = Clock::now();
    pedclient::RpcClient client = m_server->Client(m_facts.allOrdersOperator);
    EXPECT_NO_THROW(client.Call("GetParamPedido", {m_facts.branch}));
    EXPECT_LT(Clock::now() - start, seconds(1));
    // The dripping does not extend the 2 s deadlines: the server drops every slow client.
    for (auto& connection : slow)
        EXPECT_TRUE(connection->ClosedWithin(seconds(4)));
    dripping = false;
    dripper.join();
}

TEST_P(HostileTrafficTest, PipelinedRequestsAreAnsweredInOrder) {
    RawConnection connection(m_server->Port());
    ASSERT_TRUE(connection.Send(Post(Call(1)) + Post(Call(2))));
    for (int id : {1, 2}) {
        const auto answer = connection.Read(seconds(5));
        ASSERT_TRUE(answer) << "answer " << id;
        EXPECT_EQ(answer->status, 200);
        EXPECT_EQ(nlohmann::json::parse(answer->body)["id"], id);
    }
}

TEST_P(HostileTrafficTest, ContinueIsSentOnlyToAnAuthorisedRequestWithinTheLimit) {
    const std::string huge = "Expect: 100-continue\r\nContent-Length: 1073741824\r\n\r\n";
    RawConnection stranger(m_server->Port());
    stranger.Send("POST " + RpcPath + " HTTP/1.1\r\nHost: x\r\nContent-Type: application/json\r\n" + huge);
    const auto refused = stranger.Read(seconds(5));
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 401);

    RawConnection greedy(m_server->Port());
    greedy.Send(Head(1073741824, "Expect: 100-continue\r\n"));
    const auto tooLarge = greedy.Read(seconds(5));
    ASSERT_TRUE(tooLarge);
    EXPECT_EQ(tooLarge->status, 413);

    RawConnection polite(m_server->Port());
    const std::string body = Call(7);
    polite.Send(Head(body.size(), "Expect: 100-continue\r\n"));
    const auto invited = polite.Read(seconds(5));
    ASSERT_TRUE(invited);
    EXPECT_EQ(invited->status, 100);
    polite.Send(body);
    const auto answer = polite.Read(seconds(5));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(nlohmann::json::parse(answer->body)["id"], 7);
}

TEST_P(HostileTrafficTest, ABatchIsAnsweredCallByCallEachInItsOwnTransaction) {
    const auto db = m_server->Database().Connect();
    const auto item =
        db->Query("SELECT I.NRPEDIDO, I.NRITEMPED, I.IDSITITEMPED FROM ITEMPEDIDO I JOIN PEDIDO P ON "
                  "P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO WHERE I.CDFILIAL = :F AND "
                  "I.IDSITITEMPED = '1' AND P.CDOPERALTE IS NULL ORDER BY I.NRPEDIDO, I.NRITEMPED",
                  {{"F", m_facts.branch}});
    const nlohmann::json packet =
        ItemPacket({{m_facts.branch, item.Text(0, "NRPEDIDO"), item.Text(0, "NRITEMPED"), "S", "1"}});
    const nlohmann::json cancel = {m_facts.allOrdersOperator, m_facts.justification, packet, OperBloq};
    // The second cancellation sees the item as the first left it and is refused on its own.
    const nlohmann::json batch = {Request("SetCancelaItemPed", cancel, 1),
                                  Request("Unknown", nlohmann::json::array(), 2),
                                  Request("SetCancelaItemPed", cancel, 3)};
    const HttpAnswer answer = PostRaw(*m_server, batch.dump(), "Bearer " + m_token);
    EXPECT_EQ(answer.status, 200);
    ASSERT_TRUE(answer.json.is_array()) << answer.body;
    ASSERT_EQ(answer.json.size(), 3u);
    EXPECT_EQ(answer.json[0]["id"], 1);
    EXPECT_EQ(answer.json[0]["result"]["rows"], 1);
    EXPECT_EQ(answer.json[1]["error"]["code"], -32601);
    EXPECT_EQ(answer.json[2]["id"], 3);
    EXPECT_EQ(answer.json[2]["error"]["message"], OperBloq);
    const auto after =
        db->Query("SELECT IDSITITEMPED FROM ITEMPEDIDO WHERE CDFILIAL = :F AND NRPEDIDO = :P AND "
                  "NRITEMPED = :I",
                  {{"F", m_facts.branch}, {"P", item.Text(0, "NRPEDIDO")}, {"I", item.Text(0, "NRITEMPED")}});
    EXPECT_EQ(after.Text(0, "IDSITITEMPED"), "5") << "the refusal of the third call did not undo the first";
}

TEST_P(HostileTrafficTest, OversizedHeadersAreRefusedAndTheConnectionClosed) {
    std::string manyFields;
    for (int i = 0; i < 65; ++i)
        manyFields += "X-Field-" + std::to_string(i) + ": 1\r\n";
    const std::vector<std::pair<const char*, std::string>> cases{
        {"a header above 16 KiB", "X-Big: " + std::string(17 * 1024, 'a') + "\r\n"},
        {"65 header fields", manyFields},
    };
    for (const auto& [name, extra] : cases) {
        SCOPED_TRACE(name);
        RawConnection connection(m_server->Port());
        connection.Send(Head(0, extra));
        const auto answer = connection.Read(seconds(5));
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 431);
        EXPECT_TRUE(connection.ClosedWithin(seconds(4)));
    }
}

TESTKIT_ON_BOTH_BACKENDS(HostileTrafficTest);

TEST(IdleTimeoutTest, AKeptAliveConnectionIsClosedAfterItsIdleTime) {
    testkit::ServerProcess server({.serveArgs = {"--idle-timeout", "1"}});
    RawConnection connection(server.Port());
    connection.Send("GET /health HTTP/1.1\r\nHost: x\r\n\r\n");
    const auto answer = connection.Read(seconds(5));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    const auto start = Clock::now();
    EXPECT_TRUE(connection.ClosedWithin(seconds(3)));
    EXPECT_GT(Clock::now() - start, milliseconds(800)) << "not before its idle time";
}

TEST(ConnectionCapTest, ConnectionsAboveTheCapPerClientAreRefusedAtOnce) {
    testkit::ServerProcess server({.serveArgs = {"--max-connections-per-client", "3"}});
    std::vector<std::unique_ptr<RawConnection>> held;
    for (int i = 0; i < 3; ++i)
        held.push_back(std::make_unique<RawConnection>(server.Port()));
    RawConnection excess(server.Port());
    const auto start = Clock::now();
    const auto answer = excess.Read(seconds(5));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 503);
    EXPECT_LT(Clock::now() - start, seconds(1));
    held.clear();
    // Room again once the held connections are gone.
    const auto deadline = Clock::now() + seconds(5);
    HttpAnswer health;
    while (health.status != 200 && Clock::now() < deadline)
        health = GetRaw(server, "/health");
    EXPECT_EQ(health.status, 200);
}

} // namespace
} // namespace rpctest
