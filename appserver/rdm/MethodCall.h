#pragma once

#include "rdm/AnswerBudget.h"
#include "rdm/BatchReads.h"
#include "rdm/CallLimits.h"
#include "sqldb/Connection.h"

#include <nlohmann/json.hpp>
#include <string>

namespace pedserver {

// One call of a remote method: the connection it runs on, its positional parameters, the operator
// the access token belongs to, the server's limits, the request's answer budget and, for a call
// of a batch of reads, the batch's shared reads (else null).
struct MethodCall {
    sqldb::Connection& connection;
    const nlohmann::json& params;
    const std::string& tokenOperator;
    const CallLimits& limits;
    AnswerBudget& answer;
    BatchReads* batch;
};

} // namespace pedserver
