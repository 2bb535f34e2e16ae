#include "server/SharedWork.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace pedserver {

namespace {

// Outlives Run() for helpers that start late; `participant` is only touched while the loop is open.
struct Loop {
    std::size_t count = 0;
    const SharedWork::Participant* participant = nullptr;
    std::atomic<std::size_t> taken = 0;
    std::mutex mutex;
    std::condition_variable idle;
    bool closed = false;
    int working = 0;

    void Take(bool helper) {
        const SharedWork::Next next = [this]() -> std::optional<std::size_t> {
            const std::size_t index = taken++;
            return index < count ? std::optional(index) : std::nullopt;
        };
        (*participant)(next, helper);
    }

    void Help() {
        {
            const std::lock_guard lock(mutex);
            if (closed)
                return;
            ++working;
        }
        Take(true);
        const std::lock_guard lock(mutex);
        --working;
        idle.notify_all();
    }
};

} // namespace

void SharedWork::Run(std::size_t count, std::size_t helpers, const Post& post,
                     const Participant& participant) {
    auto loop = std::make_shared<Loop>();
    loop->count = count;
    loop->participant = &participant;
    for (std::size_t i = 0; i < helpers && i + 1 < count; ++i)
        post([loop] { loop->Help(); });
    loop->Take(false);
    std::unique_lock lock(loop->mutex);
    loop->closed = true;
    loop->idle.wait(lock, [&] { return loop->working == 0; });
}

} // namespace pedserver
