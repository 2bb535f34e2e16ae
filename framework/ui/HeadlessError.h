#pragma once

#include <stdexcept>

namespace ui {

// A scripted run asked the headless platform for something the script did not provide. It is a
// fault of the script or of the code under test, so the dispatcher lets it through.
class HeadlessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace ui
