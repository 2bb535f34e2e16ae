#pragma once

#include <atomic>
#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace pedserver {

// One event loop per server thread, each run by its thread alone: a connection lives on one loop,
// whose thread reads its requests, runs them and sends the answers, with no hand-off between
// threads and no locking among a connection's handlers. A loop shared by several threads would
// wake an idle one for every handler it runs, which cost more than the calls themselves.
// The trade: a call that waits for the database holds up the other connections of its loop,
// so new connections go to the loop with the fewest.
class EventLoops {
public:
    // At least one.
    explicit EventLoops(std::size_t count);

    // Where the listener lives.
    boost::asio::io_context& First() { return *m_loops.front()->context; }
    // The loop a new connection joins; Leave() is called when it closes.
    std::size_t LeastLoaded() const;
    boost::asio::io_context& Join(std::size_t loop);
    void Leave(std::size_t loop);
    // Runs `task` on a loop other than the calling thread's, when there is one.
    void PostElsewhere(std::function<void()> task);
    // Runs every loop, the first on the calling thread; returns once all of them ran out of work
    // after ReleaseIdle().
    void Run();
    // From now on a loop ends when its connections and tasks have ended.
    void ReleaseIdle();

private:
    struct Loop {
        Loop() : context(std::make_unique<boost::asio::io_context>(1)), keep(context->get_executor()) {}
        std::unique_ptr<boost::asio::io_context> context;
        boost::asio::executor_work_guard<boost::asio::io_context::executor_type> keep;
        std::atomic<std::size_t> connections = 0;
    };

    std::vector<std::unique_ptr<Loop>> m_loops;
    std::atomic<std::size_t> m_nextPost = 0;
};

} // namespace pedserver
