#include "data/Clock.h"

#include "data/DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <utility>

namespace data {

namespace {

double SystemNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec);
}

std::function<double()>& Source() {
    static std::function<double()> source = SystemNow;
    return source;
}

} // namespace

double Clock::Now() {
    return Source()();
}

double Clock::Today() {
    return DateOf(Now());
}

void Clock::SetSource(std::function<double()> now) {
    Source() = now ? std::move(now) : std::function<double()>(SystemNow);
}

void Clock::Reset() {
    Source() = SystemNow;
}

} // namespace data
