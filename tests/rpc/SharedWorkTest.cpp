#include "server/SharedWork.h"

#include <atomic>
#include <boost/asio/post.hpp>
#include <boost/asio/thread_pool.hpp>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace pedserver {
namespace {

// A participant that runs `body` on every index it takes.
SharedWork::Participant Each(std::function<void(std::size_t)> body) {
    return [body = std::move(body)](const SharedWork::Next& next, bool) {
        while (const std::optional<std::size_t> index = next())
            body(*index);
    };
}

// Every index runs exactly once, whatever the helpers' number.
TEST(SharedWork, RunsEveryIndexOnce) {
    boost::asio::thread_pool pool(4);
    const SharedWork::Post post = [&](std::function<void()> task) {
        boost::asio::post(pool, std::move(task));
    };
    for (const std::size_t helpers : {0U, 1U, 3U, 10U}) {
        for (const std::size_t count : {0U, 1U, 2U, 100U, 1000U}) {
            std::vector<std::atomic<int>> runs(count);
            SharedWork::Run(count, helpers, post, Each([&](std::size_t i) { ++runs[i]; }));
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(runs[i].load(), 1)
                    << "index " << i << " of " << count << ", " << helpers << " helpers";
        }
    }
    pool.join();
}

// Helpers share the work out: with a body that waits a little, more than one thread runs it.
TEST(SharedWork, HelpersRunSideBySide) {
    boost::asio::thread_pool pool(3);
    const SharedWork::Post post = [&](std::function<void()> task) {
        boost::asio::post(pool, std::move(task));
    };
    std::mutex mutex;
    std::set<std::thread::id> threads;
    SharedWork::Run(60, 2, post, Each([&](std::size_t) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(2));
                        const std::lock_guard lock(mutex);
                        threads.insert(std::this_thread::get_id());
                    }));
    EXPECT_GE(threads.size(), 2U);
    pool.join();
}

// Each participant keeps what it set up (a connection, say) for all the indexes it takes: the
// participants are the calling thread plus at most the helpers, and they take every index.
TEST(SharedWork, EachParticipantRunsOnceAndTakesIndexesUntilNoneAreLeft) {
    boost::asio::thread_pool pool(2);
    const SharedWork::Post post = [&](std::function<void()> task) {
        boost::asio::post(pool, std::move(task));
    };
    std::atomic<int> participants = 0, callers = 0;
    std::atomic<std::size_t> taken = 0;
    SharedWork::Run(500, 2, post, [&](const SharedWork::Next& next, bool helper) {
        ++participants;
        callers += helper ? 0 : 1;
        while (next())
            ++taken;
        EXPECT_FALSE(next().has_value());
    });
    EXPECT_EQ(taken.load(), 500U);
    EXPECT_EQ(callers.load(), 1) << "the calling thread takes part once, and is the only one told so";
    EXPECT_GE(participants.load(), 1);
    EXPECT_LE(participants.load(), 3);
    pool.join();
}

// A helper that only gets a thread after the loop ended (a busy server) does nothing, and the
// loop did not wait for it.
TEST(SharedWork, LateHelpersDoNothing) {
    std::vector<std::function<void()>> postponed;
    const SharedWork::Post post = [&](std::function<void()> task) { postponed.push_back(std::move(task)); };
    int runs = 0;
    SharedWork::Run(10, 3, post, Each([&](std::size_t) { ++runs; }));
    EXPECT_EQ(runs, 10);
    ASSERT_EQ(postponed.size(), 3U);
    for (const auto& task : postponed)
        task();
    EXPECT_EQ(runs, 10);
}

} // namespace
} // namespace pedserver
