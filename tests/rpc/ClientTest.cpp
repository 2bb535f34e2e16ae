#include "RpcTestSupport.h"
#include "testkit/FixedAnswerServer.h"
#include "testkit/LoopbackSocket.h"
#include "testkit/MisbehavingServer.h"

#include <chrono>
#include <fstream>

namespace rpctest {
namespace {

using Clock = std::chrono::steady_clock;
using pedclient::RpcClientError;
using testkit::LoopbackSocket;

// Expects the call to fail with `code` and `message` no later than `limit` after it started.
void ExpectFailure(pedclient::RpcClient& client, int code, const std::string& message,
                   std::chrono::milliseconds limit) {
    const auto start = Clock::now();
    try {
        client.Call("GetParamPedido", {"0001"});
        ADD_FAILURE() << "the call succeeded";
    } catch (const RpcClientError& error) {
        EXPECT_EQ(error.Code(), code);
        EXPECT_EQ(std::string(error.what()), message);
    }
    EXPECT_LT(Clock::now() - start, limit);
}

TEST(ClientTest, AServerThatIsNotRunningIsReportedWithinTheConnectTimeout) {
    const LoopbackSocket closed(false); // bound but not listening: connections are refused
    pedclient::RpcClient client("127.0.0.1", closed.Port(), "token", {std::chrono::milliseconds(500)});
    ExpectFailure(client, RpcClientError::Unavailable,
                  "Servidor de aplicação indisponível em 127.0.0.1:" + std::to_string(closed.Port()) + ".",
                  std::chrono::seconds(2));
}

TEST(ClientTest, AServerThatNeverAnswersIsReportedWithinTheReadTimeout) {
    LoopbackSocket silent(true); // the kernel completes the connection; nobody ever reads it
    pedclient::RpcClient client("127.0.0.1", silent.Port(), "token",
                                {std::chrono::milliseconds(500), std::chrono::milliseconds(400)});
    ExpectFailure(client, RpcClientError::NoAnswer,
                  "Servidor de aplicação em 127.0.0.1:" + std::to_string(silent.Port()) +
                      " não respondeu a tempo.",
                  std::chrono::seconds(3));
}

TEST(ClientTest, AnswersThatAreNotJsonRpcAreReportedAsInvalid) {
    struct Garbage {
        const char* name;
        int status;
        std::string body;
        std::string messageEnd;
    };
    const std::vector<Garbage> cases{
        {"html page", 200, "<html>proxy</html>", "."},
        {"json without result", 200, R"({"jsonrpc":"2.0","id":1})", "."},
        {"result of another request", 200, R"({"jsonrpc":"2.0","id":99,"result":{}})", "."},
        {"error without a message", 200, R"({"jsonrpc":"2.0","id":1,"error":{"code":1}})", "."},
        {"gateway error page", 502, "Bad Gateway", " (HTTP 502)."},
    };
    for (const Garbage& garbage : cases) {
        SCOPED_TRACE(garbage.name);
        const testkit::FixedAnswerServer fake(garbage.body, garbage.status);
        // Declared after the fake, so it closes first; stopping the fake would otherwise wait out the
        // kept-alive connection.
        pedclient::RpcClient client("127.0.0.1", fake.Port(), "token");
        ExpectFailure(client, RpcClientError::BadAnswer,
                      "Resposta inválida do servidor de aplicação em 127.0.0.1:" +
                          std::to_string(fake.Port()) + garbage.messageEnd,
                      std::chrono::seconds(5));
    }
}

// The peak resident memory of this process, in KiB.
long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    }
    return 0;
}

TEST(ClientTest, HostileAnswersEndInAClearMessageWithinTheDeadlineAndBoundedMemory) {
    using Behaviour = testkit::MisbehavingServer::Behaviour;
    // A smaller cap than the default 32 MiB keeps the test quick on a loaded machine.
    const pedclient::RpcClientLimits limits{.maxAnswerBytes = 4 * 1024 * 1024};
    struct Case {
        const char* name;
        Behaviour behaviour;
        int code;
        std::string messageEnd;
    };
    const std::string tooBig = " grande demais: o limite é de 4 MiB.";
    const std::vector<Case> cases{
        {"deep nesting", Behaviour::DeepNesting, RpcClientError::BadAnswer,
         ": dados aninhados em mais de 256 níveis."},
        {"endless chunked answer", Behaviour::EndlessChunks, RpcClientError::BadAnswer, tooBig},
        {"huge length", Behaviour::HugeLength, RpcClientError::BadAnswer, tooBig},
        {"drip feed", Behaviour::DripFeed, RpcClientError::NoAnswer, " não respondeu a tempo."},
    };
    const auto deadline = std::chrono::milliseconds(2000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testkit::MisbehavingServer hostile(c.behaviour);
        pedclient::RpcClient client("127.0.0.1", hostile.Port(), "token",
                                    {std::chrono::milliseconds(500), deadline}, limits);
        const long peakBefore = PeakResidentKiB();
        const auto start = Clock::now();
        try {
            client.Call("GetParamPedido", {"0001"});
            ADD_FAILURE() << "the call succeeded";
        } catch (const RpcClientError& error) {
            EXPECT_EQ(error.Code(), c.code);
            EXPECT_TRUE(std::string(error.what()).ends_with(c.messageEnd)) << error.what();
            EXPECT_NE(std::string(error.what()).find("127.0.0.1:" + std::to_string(hostile.Port())),
                      std::string::npos)
                << error.what();
        }
        EXPECT_LT(Clock::now() - start, deadline + std::chrono::seconds(1));
        // The answer is capped at 4 MiB; reading may briefly hold about twice that, and under
        // AddressSanitizer freed blocks wait in its quarantine. Without the cap an endless answer
        // grows by hundreds of MiB a second.
        EXPECT_LT(PeakResidentKiB() - peakBefore, 64 * 1024) << "KiB of peak memory added";
    }
}

TEST(ClientTest, AnAnswerThatKeepsStreamingCannotOutliveTheCallsDeadline) {
    // With the default 32 MiB cap a slow machine may not reach the cap in time: the deadline
    // still ends the call, with whichever of the two messages comes first.
    testkit::MisbehavingServer hostile(testkit::MisbehavingServer::Behaviour::EndlessChunks);
    pedclient::RpcClient client("127.0.0.1", hostile.Port(), "token",
                                {std::chrono::milliseconds(500), std::chrono::milliseconds(300)});
    const auto start = Clock::now();
    EXPECT_THROW(client.Call("GetParamPedido", {"0001"}), RpcClientError);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1300));
}

class ClientServerTest : public BackendTest {};

TEST_P(ClientServerTest, ServerErrorsCarryTheServersCodeMessageAndHttpStatus) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    try {
        client.Call("NoSuchMethod", nlohmann::json::array());
        ADD_FAILURE() << "unknown method accepted";
    } catch (const RpcClientError& error) {
        EXPECT_EQ(error.Code(), -32601);
        EXPECT_STREQ(error.what(), "Método desconhecido: NoSuchMethod.");
    }
    pedclient::RpcClient stranger(server.Host(), server.Port(), "not-a-token");
    try {
        stranger.Call("GetParamPedido", {facts.branch});
        ADD_FAILURE() << "unknown token accepted";
    } catch (const RpcClientError& error) {
        EXPECT_EQ(error.Code(), 2);
        EXPECT_EQ(error.HttpStatus(), 401);
        EXPECT_STREQ(error.what(), "Token de acesso inválido.");
    }
}

// The requests are written as text by the client: a text that is not UTF-8, a quote and a
// backslash still reach the server as the calls they are, each answered under its own id.
TEST_P(ClientServerTest, BatchCallsWithAwkwardTextsAreSentAndAnsweredCallByCall) {
    testkit::ServerProcess& server = SharedServer();
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    client.Call("GetParamPedido", {facts.branch}); // the ids of the batch do not start at 1
    const std::vector<pedclient::BatchAnswer> answers = client.CallBatch({{"GetParamPedido", {"\xff\xfe"}},
                                                                          {"GetParamPedido", {facts.branch}},
                                                                          {"GetParamPedido", {"0\"\\"}}});
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_FALSE(answers[0].ok);
    EXPECT_EQ(answers[0].message, "Filial não cadastrada.");
    EXPECT_TRUE(answers[1].ok) << answers[1].message;
    EXPECT_FALSE(answers[2].ok);
    EXPECT_EQ(answers[2].message, "Filial não cadastrada.");
}

TESTKIT_ON_BOTH_BACKENDS(ClientServerTest);

} // namespace
} // namespace rpctest
