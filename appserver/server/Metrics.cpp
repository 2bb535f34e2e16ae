#include "server/Metrics.h"

#include <sstream>

namespace pedserver {

namespace {

// One sample line: name{labels} value.
template <typename T>
void Sample(std::string& out, const std::string& name, const std::string& labels, T value) {
    std::ostringstream line;
    line << name << '{' << labels << "} " << value << '\n';
    out += line.str();
}

std::string Label(const char* name, const std::string& value) {
    return std::string(name) + "=\"" + value + '"';
}

std::string Bound(double bound) {
    std::ostringstream text;
    text << bound;
    return text.str();
}

} // namespace

void Metrics::Record(const std::string& method, const std::string& outcome, double seconds) {
    std::lock_guard lock(m_mutex);
    ++m_requests[{method, outcome}];
    Latency& latency = m_latency[method];
    for (std::size_t i = 0; i < BucketBounds.size(); ++i) {
        if (seconds <= BucketBounds[i]) {
            ++latency.buckets[i];
        }
    }
    ++latency.count;
    latency.sum += seconds;
    if (outcome != "ok") {
        ++m_errors[outcome];
    }
}

std::string Metrics::RenderPrometheus() const {
    std::lock_guard lock(m_mutex);
    std::string out;
    RenderRequests(out);
    RenderLatency(out);
    return out;
}

void Metrics::RenderRequests(std::string& out) const {
    out += "# HELP pedserver_requests_total JSON-RPC requests by method and outcome.\n"
           "# TYPE pedserver_requests_total counter\n";
    for (const auto& [key, count] : m_requests) {
        Sample(out, "pedserver_requests_total",
               Label("method", key.first) + ',' + Label("outcome", key.second), count);
    }
    out += "# HELP pedserver_errors_total JSON-RPC requests that did not succeed, by outcome.\n"
           "# TYPE pedserver_errors_total counter\n";
    for (const auto& [outcome, count] : m_errors) {
        Sample(out, "pedserver_errors_total", Label("outcome", outcome), count);
    }
}

void Metrics::RenderLatency(std::string& out) const {
    const std::string name = "pedserver_request_duration_seconds";
    out +=
        "# HELP " + name + " Time to answer a JSON-RPC request, by method.\n# TYPE " + name + " histogram\n";
    for (const auto& [method, latency] : m_latency) {
        const std::string methodLabel = Label("method", method);
        for (std::size_t i = 0; i < BucketBounds.size(); ++i) {
            Sample(out, name + "_bucket", methodLabel + ',' + Label("le", Bound(BucketBounds[i])),
                   latency.buckets[i]);
        }
        Sample(out, name + "_bucket", methodLabel + ',' + Label("le", "+Inf"), latency.count);
        Sample(out, name + "_sum", methodLabel, latency.sum);
        Sample(out, name + "_count", methodLabel, latency.count);
    }
}

} // namespace pedserver
