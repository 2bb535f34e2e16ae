#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace pedserver {

// Request counters and latency histograms per method, rendered in the Prometheus text format.
// Thread-safe; the method label only ever holds the server's own method names (or "-"), so a
// client cannot grow the label set.
class Metrics {
public:
    static constexpr std::array<double, 12> BucketBounds{0.001, 0.0025, 0.005, 0.01, 0.025, 0.05,
                                                         0.1,   0.25,   0.5,   1.0,  2.5,   5.0};

    void Record(const std::string& method, const std::string& outcome, double seconds);
    std::string RenderPrometheus() const;

private:
    struct Latency {
        std::array<std::uint64_t, BucketBounds.size()> buckets{};
        std::uint64_t count = 0;
        double sum = 0.0;
    };

    void RenderRequests(std::string& out) const;
    void RenderLatency(std::string& out) const;

    mutable std::mutex m_mutex;
    std::map<std::pair<std::string, std::string>, std::uint64_t> m_requests; // (method, outcome)
    std::map<std::string, Latency> m_latency;                                // by method
    std::map<std::string, std::uint64_t> m_errors;                           // by outcome
};

} // namespace pedserver
