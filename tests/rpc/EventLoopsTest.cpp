#include "server/EventLoops.h"

#include "RpcTestSupport.h"

#include <atomic>
#include <boost/asio/post.hpp>
#include <chrono>
#include <future>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace rpctest {
namespace {

using namespace std::chrono_literals;
using pedserver::EventLoops;

struct Step {
    bool join;
    std::size_t loop;
};

struct SpreadCase {
    const char* name;
    std::size_t loops;
    std::vector<Step> steps;
    std::size_t expected;
};

TEST(EventLoopsTest, ANewConnectionGoesToTheLoopWithTheFewest) {
    const std::vector<SpreadCase> cases = {
        {"nothing open", 3, {}, 0},
        {"first taken", 3, {{true, 0}}, 1},
        {"two taken", 3, {{true, 0}, {true, 1}}, 2},
        {"all even", 3, {{true, 0}, {true, 1}, {true, 2}}, 0},
        {"one left", 3, {{true, 0}, {true, 1}, {true, 2}, {false, 1}}, 1},
        {"uneven", 3, {{true, 0}, {true, 0}, {true, 1}, {true, 2}, {true, 2}}, 1},
        {"last emptied", 3, {{true, 0}, {true, 1}, {true, 2}, {true, 2}, {false, 2}, {false, 2}}, 2},
        {"a single loop", 1, {{true, 0}, {true, 0}}, 0},
    };
    for (const SpreadCase& c : cases) {
        EventLoops loops(c.loops);
        for (const Step& step : c.steps) {
            if (step.join)
                loops.Join(step.loop);
            else
                loops.Leave(step.loop);
        }
        EXPECT_EQ(loops.LeastLoaded(), c.expected) << c.name;
    }
}

TEST(EventLoopsTest, TasksPostedElsewhereRunOnEveryOtherLoopAndRunEndsAfterThem) {
    for (std::size_t count = 1; count <= 4; ++count) {
        EventLoops loops(count);
        std::mutex mutex;
        std::set<std::thread::id> helpers;
        std::thread::id first;
        std::atomic<int> finished = 0;
        const int posts = static_cast<int>(2 * count);
        boost::asio::post(loops.First(), [&] {
            first = std::this_thread::get_id();
            for (int i = 0; i < posts; ++i) {
                loops.PostElsewhere([&] {
                    std::this_thread::sleep_for(5ms);
                    const std::lock_guard lock(mutex);
                    helpers.insert(std::this_thread::get_id());
                    ++finished;
                });
            }
            // Nothing keeps the loops after this but the tasks just posted.
            loops.ReleaseIdle();
        });
        loops.Run();
        EXPECT_EQ(finished, posts) << count << " loops";
        if (count == 1) {
            EXPECT_EQ(helpers, std::set{first});
        } else {
            EXPECT_EQ(helpers.size(), count - 1) << count << " loops";
            EXPECT_FALSE(helpers.contains(first)) << count << " loops";
        }
    }
}

class LoopIsolationTest : public BackendTest {};

// Holds the orders' table against writers until Release(), from a connection of the test's own.
class WriteLock {
public:
    explicit WriteLock(sqldb::Connection& db) : m_db(db) {
        if (db.GetBackend() == sqldb::Backend::Sqlite) {
            db.Execute("BEGIN IMMEDIATE");
        } else {
            db.Execute("BEGIN");
            db.Execute("LOCK TABLE PEDIDO IN EXCLUSIVE MODE");
        }
    }
    ~WriteLock() { Release(); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    void Release() {
        if (std::exchange(m_held, false))
            m_db.Execute("ROLLBACK");
    }

private:
    sqldb::Connection& m_db;
    bool m_held = true;
};

TEST_P(LoopIsolationTest, ACallWaitingForTheDatabaseHoldsUpNoConnectionOfAnotherLoop) {
    testkit::ServerProcess server({.backend = GetParam(), .threads = 2});
    const DemoFacts facts = ReadDemoFacts(server);
    const auto db = server.Database().Connect();
    const std::string order = CancellableOrder(*db, facts.branch);
    // Two kept-alive connections: the second goes to the loop the first one left free.
    pedclient::RpcClient writer = server.Client(facts.allOrdersOperator);
    nlohmann::json packet = writer.GetPedido({.cdFilial = facts.branch, .nrPedido = order, .tNrPedido = ""});
    ASSERT_EQ(packet["fields"][0]["name"], "IDCHECK");
    for (nlohmann::json& row : packet["rows"])
        row[0] = "S";
    pedclient::RpcClient reader = server.Client(facts.allOrdersOperator);
    const nlohmann::json parameters = reader.Call("GetParamPedido", {facts.branch});

    WriteLock lock(*db);
    std::atomic<bool> written = false;
    auto cancel = std::async(std::launch::async, [&] {
        nlohmann::json answer = writer.Call("SetCancelaPed", {facts.allOrdersOperator, facts.justification,
                                                              packet, OperBloq, facts.branch, SaldoEmp});
        written = true;
        return answer;
    });
    std::this_thread::sleep_for(300ms); // the cancellation is now waiting for the lock
    auto read = std::async(std::launch::async, [&] { return reader.Call("GetParamPedido", {facts.branch}); });
    const bool readWhileWaiting = read.wait_for(2s) == std::future_status::ready;
    const bool writerWasWaiting = !written;
    lock.Release();
    EXPECT_TRUE(readWhileWaiting) << "the other connection waited for the blocked call";
    EXPECT_TRUE(writerWasWaiting) << "the cancellation did not wait for the lock";
    EXPECT_EQ(read.get(), parameters);
    EXPECT_EQ(cancel.get()["rows"], 1);
}

TESTKIT_ON_BOTH_BACKENDS(LoopIsolationTest);

} // namespace
} // namespace rpctest
