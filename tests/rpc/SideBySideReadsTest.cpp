#include "server/SideBySideReads.h"

#include "testkit/TempDir.h"
#include "testkit/TestDatabase.h"

#include <atomic>
#include <boost/asio/post.hpp>
#include <boost/asio/thread_pool.hpp>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace pedserver {
namespace {

class SideBySideReadsTest : public ::testing::Test {
protected:
    SideBySideReadsTest() : m_db(testkit::TestBackend::Sqlite, m_folder.Path()) {}

    // Runs the parts with `helpers` helper tasks on a thread pool, over a pool of `connections`.
    void Run(int connections, std::size_t helpers, std::size_t parts, const PartRead& read) {
        sqldb::ConnectionPool pool(m_db.Url(), connections);
        CallConnection own(pool, true);
        own.Get();
        boost::asio::thread_pool threads(2);
        const SharedWork::Post post = [&](std::function<void()> task) {
            boost::asio::post(threads, std::move(task));
        };
        try {
            SideBySideReads::Run(pool, helpers, post, own, parts, read);
        } catch (...) {
            threads.join();
            throw;
        }
        threads.join();
    }

    testkit::TempDir m_folder;
    testkit::TestDatabase m_db;
};

// Two parts are read at the same time, on two connections, and each part once.
TEST_F(SideBySideReadsTest, PartsAreReadAtTheSameTimeOnConnectionsOfTheirOwn) {
    std::mutex mutex;
    std::condition_variable changed;
    int inFlight = 0;
    std::vector<int> runs(2, 0);
    std::vector<bool> metTheOther(2, false);
    std::set<sqldb::Connection*> used;
    Run(3, 1, 2, [&](std::size_t part, sqldb::Connection& connection) {
        EXPECT_EQ(connection.Query("SELECT 1 AS N").Text(0, "N"), "1");
        std::unique_lock lock(mutex);
        ++runs[part];
        used.insert(&connection);
        ++inFlight;
        changed.notify_all();
        metTheOther[part] = changed.wait_for(lock, std::chrono::seconds(5), [&] { return inFlight == 2; });
    });
    EXPECT_EQ(runs, (std::vector<int>{1, 1}));
    EXPECT_EQ(metTheOther, (std::vector<bool>{true, true}));
    EXPECT_EQ(used.size(), 2u);
}

// With no connection free, the calling thread reads every part on its own connection.
TEST_F(SideBySideReadsTest, ABusyPoolLeavesEveryPartToTheCallingThread) {
    std::vector<int> runs(5, 0);
    std::set<sqldb::Connection*> used;
    std::set<std::thread::id> threads;
    Run(1, 2, 5, [&](std::size_t part, sqldb::Connection& connection) {
        ++runs[part];
        used.insert(&connection);
        threads.insert(std::this_thread::get_id());
    });
    EXPECT_EQ(runs, (std::vector<int>(5, 1)));
    EXPECT_EQ(used.size(), 1u);
    EXPECT_EQ(threads, (std::set<std::thread::id>{std::this_thread::get_id()}));
}

// Every part runs although some fail; the failure raised is that of the first failed part.
TEST_F(SideBySideReadsTest, TheFirstFailedPartIsRaisedOnceEveryPartRan) {
    for (const std::size_t helpers : {0U, 1U}) {
        std::vector<std::atomic<int>> runs(4);
        try {
            Run(3, helpers, 4, [&](std::size_t part, sqldb::Connection& connection) {
                ++runs[part];
                if (part == 1)
                    connection.Query("SELECT * FROM TABELA_QUE_NAO_EXISTE");
                if (part == 2)
                    throw std::runtime_error("parte 2");
            });
            ADD_FAILURE() << "no failure raised with " << helpers << " helpers";
        } catch (const std::exception& error) {
            EXPECT_NE(std::string(error.what()).find("TABELA_QUE_NAO_EXISTE"), std::string::npos)
                << error.what();
        }
        for (std::size_t part = 0; part < runs.size(); ++part)
            EXPECT_EQ(runs[part].load(), 1) << "part " << part << ", " << helpers << " helpers";
    }
}

} // namespace
} // namespace pedserver
