#pragma once

#include <cstddef>
#include <functional>
#include <optional>

namespace pedserver {

// Shares the indexes 0 .. count - 1 out among the calling thread and up to `helpers` tasks
// handed to `post`: each of them runs `participant` once (told whether it is a helper), which
// takes indexes with `next` until there are none left. Returns once every index taken has been dealt with. The calling thread
// takes part too, so the loop ends even when no helper ever gets a thread; a helper that starts
// after the loop has ended does nothing. `participant` must not throw.
class SharedWork {
public:
    using Post = std::function<void(std::function<void()>)>;
    using Next = std::function<std::optional<std::size_t>()>;
    using Participant = std::function<void(const Next& next, bool helper)>;

    static void Run(std::size_t count, std::size_t helpers, const Post& post, const Participant& participant);
};

} // namespace pedserver
