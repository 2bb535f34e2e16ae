#pragma once

#include "rdm/AnswerBudget.h"
#include "rdm/BatchReads.h"
#include "rdm/CallLimits.h"
#include "sqldb/Connection.h"

#include <cstddef>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

namespace pedserver {

// One part of a read that a call splits into parts, run on the connection given to it.
using PartRead = std::function<void(std::size_t part, sqldb::Connection& connection)>;
// Runs parts 0 .. parts - 1 of a read, side by side where connections are free, and raises the
// first failure once all are done.
using ReadParts = std::function<void(std::size_t parts, const PartRead& read)>;

// One call of a remote method: the connection it runs on, its positional parameters, the operator
// the access token belongs to, the server's limits, the request's answer budget, for a call of a
// batch of reads the batch's shared reads (else null) and, for a read the server may split, how it
// runs the parts (null: the call reads in one piece on its connection).
struct MethodCall {
    sqldb::Connection& connection;
    const nlohmann::json& params;
    const std::string& tokenOperator;
    const CallLimits& limits;
    AnswerBudget& answer;
    BatchReads* batch;
    const ReadParts* readParts = nullptr;
};

} // namespace pedserver
