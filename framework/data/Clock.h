#pragma once

#include <functional>

namespace data {

// Today's date and the current time as date values. The host and the tests fix the time
// through SetSource, so date rules can be checked deterministically.
class Clock {
public:
    static double Now();
    static double Today();
    static void SetSource(std::function<double()> now);
    static void Reset();
};

} // namespace data
