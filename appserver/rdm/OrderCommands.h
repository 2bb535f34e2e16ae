#pragma once

#include "rdm/ChangeRecord.h"
#include "sqldb/Connection.h"

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// How an order command ends its transaction: the command commits, its dry run rolls back.
enum class Finish { Commit, RollBack };

// What an order command did (or, rolled back, would have done).
struct CommandOutcome {
    std::size_t rows = 0; // the checked rows it acted on
    ChangeRecord record;
};

// The three order commands, each one transaction that takes its locks, checks its rules and writes
// its rows the same way whichever way it ends. `method` names the call in parameter errors. A
// refusal is an RpcError thrown after the transaction was rolled back.
CommandOutcome CancelOrders(sqldb::Connection& connection, const nlohmann::json& params,
                            const std::string& tokenOperator, std::string_view method, Finish finish);
CommandOutcome CancelItems(sqldb::Connection& connection, const nlohmann::json& params,
                           const std::string& tokenOperator, std::string_view method, Finish finish);
CommandOutcome UndoItemCancellation(sqldb::Connection& connection, const nlohmann::json& params,
                                    const std::string& tokenOperator, std::string_view method, Finish finish);

} // namespace pedserver
