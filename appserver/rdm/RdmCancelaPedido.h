#pragma once

#include "rdm/RpcError.h"
#include "sqldb/Connection.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pedserver {

// The remote data module "Ped01000.rdmCancelaPedido": the methods the cancellation screen calls.
// One instance per request, on a connection of the calling thread.
class RdmCancelaPedido {
public:
    explicit RdmCancelaPedido(sqldb::Connection& connection) : m_connection(connection) {}

    static bool HasMethod(std::string_view method);
    // The methods that only read. The GetSimula... dry runs are not among them: they lock and write
    // like their commands before they roll back.
    static bool IsReadOnly(std::string_view method);

    // params: the JSON-RPC params array; tokenOperator: the operator the bearer token belongs to.
    // Returns {"packet":{...}} for Get... and {"status":"ok","rows":N} for Set...; throws RpcError.
    nlohmann::json Call(std::string_view method, const nlohmann::json& params,
                        const std::string& tokenOperator);

private:
    sqldb::Connection& m_connection;
};

} // namespace pedserver
