#pragma once

#include "rpcclient/FailoverClient.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace benchdeploy {

// Latencies per method and what the changes reported, gathered from every operator.
struct LoadTally {
    std::mutex mutex;
    std::map<std::string, std::vector<double>> milliseconds; // by method (a batch counts as its first method)
    std::map<std::string, std::int64_t> rowsChanged;         // by Set method
    int refused = 0;
    std::vector<std::string> failures;
};

// One simulated operator repeating the screen's pattern on its own window of the branch's
// orders (the windows of neighbours overlap): load the window's orders; one round in four, cancel
// the first live order under a commitment, or reinstate it when cancelled; fetch the items of a
// few orders as one batch, cancel one or two live items of one order, undo that cancellation.
class OperatorLoad {
public:
    OperatorLoad(pedclient::FailoverClient client, std::string branch, std::string operatorCode,
                 std::string justification, std::vector<std::string> window, unsigned seed);

    void Run(std::chrono::steady_clock::time_point until, LoadTally& tally);

private:
    void Round(LoadTally& tally);
    nlohmann::json Timed(const std::string& method,
                         const std::vector<std::pair<std::string, nlohmann::json>>& calls, LoadTally& tally);
    // Sends the items packet with up to two rows whose situation passes `wanted` checked.
    void CancelOrReinstate(nlohmann::json orders, LoadTally& tally);
    bool Change(const std::string& method, nlohmann::json items, bool undo, LoadTally& tally);

    pedclient::FailoverClient m_client;
    std::string m_branch;
    std::string m_operator;
    std::string m_justification;
    std::vector<std::string> m_window;
    unsigned m_state;
};

// Nearest-rank percentile of sorted values.
double Percentile(const std::vector<double>& sorted, double fraction);

} // namespace benchdeploy
