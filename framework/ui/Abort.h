#pragma once

#include <exception>

namespace ui {

// Ends the running handler silently: the dispatcher swallows it without showing anything.
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace ui
