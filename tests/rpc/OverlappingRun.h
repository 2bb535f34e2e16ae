#pragma once

#include "rpcclient/FailoverClient.h"
#include "sqldb/Connection.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace rpctest {

// Situation of every order (item "") and item of the branch, keyed by (order, item).
using Situations = std::map<std::pair<std::string, std::string>, std::string>;

// What a run of clients changing overlapping orders starts from, read from the database: the
// branch that controls commitments, an operator who sees all its orders, the orders fought
// over, and the facts the run is checked against afterwards.
struct RunStart {
    std::string branch;
    std::string operatorCode;
    std::string justification;
    std::vector<std::string> orders;
    std::map<std::string, std::int64_t> commitmentTotals;
    Situations situations;
    std::int64_t lastAudit = 0;

    static RunStart Read(sqldb::Connection& db);
};

struct Tally {
    std::mutex mutex;
    std::map<std::string, std::int64_t> rowsChanged; // by method
    std::map<std::string, int> succeeded;            // by method
    int refused = 0;
    int lost = 0; // answers lost on the way (a server stopped under a call)
    std::vector<std::string> unexpected;

    int Succeeded() {
        std::lock_guard lock(mutex);
        int total = 0;
        for (const auto& [method, count] : succeeded)
            total += count;
        return total;
    }
};

// Clients (one thread each) cancelling, reinstating and undoing the start's orders until
// `until`; `midway` runs on the calling thread half-way through (e.g. stopping a server).
void RunClients(std::vector<pedclient::FailoverClient> clients, const RunStart& start,
                std::chrono::steady_clock::time_point until, Tally& tally,
                const std::function<void()>& midway = {});

// Orders and items consistent, commitments' balances plus live items unchanged, and the audit
// rows replaying the situations before the run into those after it. The audit rows must match
// the rows the calls reported unless some answers were lost (then the call's fate is unknown).
void ExpectRunConsistent(sqldb::Connection& db, const RunStart& start, Tally& tally);

} // namespace rpctest
