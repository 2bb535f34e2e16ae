#include "server/EventLoops.h"

#include <boost/asio/post.hpp>
#include <thread>

namespace pedserver {

EventLoops::EventLoops(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        m_loops.push_back(std::make_unique<Loop>());
}

std::size_t EventLoops::LeastLoaded() const {
    std::size_t best = 0;
    for (std::size_t i = 1; i < m_loops.size(); ++i) {
        if (m_loops[i]->connections < m_loops[best]->connections)
            best = i;
    }
    return best;
}

boost::asio::io_context& EventLoops::Join(std::size_t loop) {
    ++m_loops.at(loop)->connections;
    return *m_loops[loop]->context;
}

void EventLoops::Leave(std::size_t loop) {
    --m_loops.at(loop)->connections;
}

void EventLoops::PostElsewhere(std::function<void()> task) {
    std::size_t loop = m_nextPost++ % m_loops.size();
    if (m_loops.size() > 1 && m_loops[loop]->context->get_executor().running_in_this_thread())
        loop = (loop + 1) % m_loops.size();
    boost::asio::post(*m_loops[loop]->context, std::move(task));
}

void EventLoops::Run() {
    std::vector<std::thread> others;
    for (std::size_t i = 1; i < m_loops.size(); ++i)
        others.emplace_back([context = m_loops[i]->context.get()] { context->run(); });
    First().run();
    for (std::thread& thread : others)
        thread.join();
}

void EventLoops::ReleaseIdle() {
    for (const auto& loop : m_loops)
        loop->keep.reset();
}

} // namespace pedserver
