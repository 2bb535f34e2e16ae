#include "RawHttp.h"
#include "RpcTestSupport.h"
#include "sqldb/Transaction.h"

#include <chrono>
#include <future>
#include <thread>

namespace rpctest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// What a request may cost, through a real server: each limit is refused with its code and
// message, before it costs what it asked for, and the server goes on serving.
class BudgetsTest : public BackendTest {
protected:
    // The error a call ends with: its code and message, or {0, ""} when it went through.
    static std::pair<int, std::string> Outcome(const std::function<void()>& call) {
        try {
            call();
        } catch (const pedclient::RpcClientError& error) {
            return {error.Code(), error.what()};
        }
        return {0, ""};
    }

    // Holds the order for the scope's lifetime as another writer would (PostgreSQL: its row;
    // SQLite: the database's write lock).
    static std::unique_ptr<sqldb::Transaction> HoldOrder(sqldb::Connection& db, TestBackend backend,
                                                         const std::string& filial, const std::string& pedido) {
        auto holder = std::make_unique<sqldb::Transaction>(db);
        if (backend == TestBackend::Postgres)
            db.Query("SELECT 1 FROM PEDIDO WHERE CDFILIAL = :F AND NRPEDIDO = :P FOR UPDATE",
                     {{"F", filial}, {"P", pedido}});
        return holder;
    }

    static nlohmann::json CancelParams(const DemoFacts& facts, const std::string& pedido) {
        return {facts.allOrdersOperator, facts.justification,
                nlohmann::json{{"fields",
                                {{{"name", "CDFILIAL"}, {"type", "string"}, {"size", 4}},
                                 {{"name", "NRPEDIDO"}, {"type", "string"}, {"size", 10}},
                                 {{"name", "IDCHECK"}, {"type", "string"}, {"size", 1}},
                                 {{"name", "IDSITPEDIDO"}, {"type", "string"}, {"size", 1}}}},
                               {"rows", {{facts.branch, pedido, "S", "1"}}}},
                OperBloq, facts.branch, SaldoEmp};
    }
};

TEST_P(BudgetsTest, AHundredReportsOfEveryDayAreRefusedAtOnceAndTheServerDoesNotGrow) {
    testkit::ServerProcess server(testkit::ServerProcessOptions{.backend = GetParam()});
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    client.SetModule("Ped01100.rdmRelPedido");
    const std::vector<pedclient::RpcCall> calls(
        100, {"GetRelItemPedido",
              {facts.branch, facts.allOrdersOperator, "0001-01-01", "9999-12-31", "123456", ""}});
    const long before = ResidentKiB(server.Pid());
    const auto start = Clock::now();
    const auto answers = client.CallBatch(calls);
    EXPECT_LT(Clock::now() - start, 2s);
    ASSERT_EQ(answers.size(), calls.size());
    for (const auto& answer : answers) {
        EXPECT_FALSE(answer.ok);
        EXPECT_EQ(answer.code, 4) << answer.message;
    }
    EXPECT_EQ(answers[0].message,
              "Período de emissão de 3.652.059 dias, acima do limite do servidor de 366 dias: reduza o período.");
    EXPECT_LT(ResidentKiB(server.Pid()) - before, 64 * 1024) << "KiB grown";
}

TEST_P(BudgetsTest, OrdersPastTheRowCapAListPastItsLimitAndAnAnswerPastItsBudgetAreRefused) {
    testkit::ServerProcess server(testkit::ServerProcessOptions{
        .backend = GetParam(), .serveArgs = {"--max-rows", "20", "--max-answer-bytes", "2048"}});
    const DemoFacts facts = ReadDemoFacts(server);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    pedclient::GetPedidoParams everything;
    everything.cdFilial = facts.branch;
    everything.sitPedido = "123456";
    EXPECT_EQ(Outcome([&] { client.Call("GetPedido", everything.ToJson()); }),
              std::make_pair(5, std::string("A consulta traria mais de 20 linhas, o limite do servidor: "
                                            "restrinja o filtro.")));
    std::string orders = "0000000001";
    for (int i = 0; i < 1000; ++i)
        orders += "_0000000001";
    EXPECT_EQ(Outcome([&] { client.Call("GetBloqueioPedido", {facts.branch, orders}); }).first, 7);
    // Nineteen orders are within the row cap, but their answer is not within 2 KiB; a batch of
    // reads that passes the budget is refused whole, as one error.
    everything.ateNrPedido = "0000000019";
    everything.tNrPedido = "";
    EXPECT_EQ(Outcome([&] { client.Call("GetPedido", everything.ToJson()); }).first, 6);
    const std::vector<pedclient::RpcCall> items(
        40, {"GetItemPedido", {facts.branch, CancellableOrder(*server.Database().Connect(), facts.branch)}});
    EXPECT_EQ(Outcome([&] { client.CallBatch(items); }).first, 6);
    // The server goes on serving within its limits.
    EXPECT_EQ(client.Call("GetParamPedido", {facts.branch}).at("packet").at("rows").size(), 1U);
}

TEST_P(BudgetsTest, AStatementHeldPastTheTimeoutFailsWithItsMessageAndFreesItsConnection) {
    testkit::ServerProcess server(testkit::ServerProcessOptions{
        .backend = GetParam(), .threads = 1, .serveArgs = {"--statement-timeout", "1"}});
    const DemoFacts facts = ReadDemoFacts(server);
    auto db = server.Database().Connect();
    const std::string pedido = CancellableOrder(*db, facts.branch);
    pedclient::RpcClient client = server.Client(facts.allOrdersOperator);
    {
        const auto holder = HoldOrder(*db, GetParam(), facts.branch, pedido);
        const auto start = Clock::now();
        EXPECT_EQ(Outcome([&] { client.Call("SetCancelaPed", CancelParams(facts, pedido)); }),
                  std::make_pair(8, std::string("A consulta ao banco de dados passou de 1 s, o tempo limite do "
                                                "servidor: tente novamente ou restrinja o filtro.")));
        const auto waited = Clock::now() - start;
        EXPECT_GE(waited, 900ms);
        EXPECT_LT(waited, 3s);
    }
    // The only connection of the pool came back and works: the same call now goes through.
    EXPECT_EQ(client.Call("SetCancelaPed", CancelParams(facts, pedido)).at("rows"), 1);
}

TEST_P(BudgetsTest, WithEveryConnectionLentHealthAndANewCallAreBusyWithinTheAcquireTime) {
    testkit::ServerProcess server(testkit::ServerProcessOptions{
        .backend = GetParam(),
        .threads = 2,
        .serveArgs = {"--pool-size", "1", "--acquire-timeout-ms", "300", "--statement-timeout", "10"}});
    const DemoFacts facts = ReadDemoFacts(server);
    auto db = server.Database().Connect();
    const std::string pedido = CancellableOrder(*db, facts.branch);
    pedclient::RpcClient waiting = server.Client(facts.allOrdersOperator);
    pedclient::RpcClient other = server.Client(facts.allOrdersOperator);
    other.Call("GetParamPedido", {facts.branch}); // its token is known before the pool is taken
    std::future<std::pair<int, std::string>> held;
    {
        const auto holder = HoldOrder(*db, GetParam(), facts.branch, pedido);
        // This call takes the pool's only connection and waits for the order's lock.
        held = std::async(std::launch::async, [&] {
            return Outcome([&] { waiting.Call("SetCancelaPed", CancelParams(facts, pedido)); });
        });
        std::this_thread::sleep_for(300ms);
        auto start = Clock::now();
        const HttpAnswer health = GetRaw(server, "/health");
        EXPECT_EQ(health.status, 503);
        EXPECT_EQ(health.body, "busy");
        EXPECT_LT(Clock::now() - start, 1500ms);
        start = Clock::now();
        EXPECT_EQ(Outcome([&] { other.Call("GetParamPedido", {facts.branch}); }),
                  std::make_pair(9, std::string("Servidor de aplicação ocupado: tente novamente em instantes.")));
        EXPECT_LT(Clock::now() - start, 1500ms);
    }
    EXPECT_EQ(held.get().first, 0) << "the waiting call went through once the lock was released";
    EXPECT_EQ(GetRaw(server, "/health").status, 200);
}

// One event loop: a large body is parsed (and its tree freed) off it, so another connection of
// the same loop is answered while that goes on. Parsing this body on the loop takes the better
// part of a second in a debug build.
TEST_P(BudgetsTest, ALargeBodyIsReadOffTheLoopSoItsOtherConnectionsAreAnswered) {
    testkit::ServerProcess server(testkit::ServerProcessOptions{.backend = GetParam(), .threads = 1});
    const DemoFacts facts = ReadDemoFacts(server);
    const std::string auth = "Bearer " + server.Token(facts.allOrdersOperator);
    pedclient::RpcClient small = server.Client(facts.allOrdersOperator);
    small.Call("GetParamPedido", {facts.branch});
    std::string objects = "{}";
    while (objects.size() < 7 * 1024 * 1024)
        objects += ",{}";
    const std::string body = R"({"jsonrpc":"2.0","id":1,"method":"GetParamPedido","params":[)" + objects + "]}";
    auto large = std::async(std::launch::async, [&] { return PostRaw(server, body, auth); });
    std::this_thread::sleep_for(150ms); // the large body is on the server by now
    const auto start = Clock::now();
    small.Call("GetParamPedido", {facts.branch});
    const auto waited = Clock::now() - start;
    EXPECT_EQ(large.get().json["error"]["code"], -32602);
    EXPECT_LT(waited, 150ms) << "the small call waited for the large body's parse";
}

TESTKIT_ON_BOTH_BACKENDS(BudgetsTest);

} // namespace
} // namespace rpctest
