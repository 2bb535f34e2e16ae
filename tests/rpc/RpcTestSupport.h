#pragma once

#include "protocol/RemoteModules.h"
#include "testkit/BackendSuite.h"
#include "testkit/ServerProcess.h"

#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace rpctest {

using testkit::TestBackend;

inline const std::string OperBloq = "Operação bloqueada. Pedido em alteração por outro usuário.";
inline const std::string SaldoEmp = "Operação Bloqueada! Valor do pedido é maior que o saldo do empenho.";
inline const std::string RpcPath = protocol::ModulePath(protocol::CancelaPedidoModule);

// A fixture run once per backend; PostgreSQL cases skip when PED_TEST_PG_URL is not set.
class BackendTest : public testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override;
    // A server shared by the read-only tests of this process, started on first use.
    testkit::ServerProcess& SharedServer();
};


// Facts about the demo data, read from the database rather than assumed.
struct DemoFacts {
    std::string branch;             // the branch with the most orders
    std::string allOrdersOperator;  // sees every order of that branch
    std::string restrictedOperator; // a seller's operator without that right
    std::string justification;
};
DemoFacts ReadDemoFacts(const testkit::ServerProcess& server);

// An order of the branch that SetCancelaPed cancels: pending, every item pending, nothing
// delivered or reserved, no commitment, nobody editing it.
std::string CancellableOrder(sqldb::Connection& db, const std::string& branch);

// A raw HTTP exchange, for what RpcClient would never send.
struct HttpAnswer {
    int status = 0;
    std::string body;
    nlohmann::json json; // the body parsed, or discarded when it is not JSON
    std::string header;  // WWW-Authenticate
};
HttpAnswer PostRaw(const testkit::ServerProcess& server, const std::string& body,
                   const std::optional<std::string>& authorization,
                   const std::string& contentType = "application/json");
HttpAnswer GetRaw(const testkit::ServerProcess& server, const std::string& path);

nlohmann::json Request(const std::string& method, const nlohmann::json& params, int id = 1);

// An items packet as the screen sends it: rows of CDFILIAL, NRPEDIDO, NRITEMPED, IDCHECK,
// IDSITITEMPED.
nlohmann::json ItemPacket(const nlohmann::json& rows);

// The value of one sample of the Prometheus text, 0 when absent.
double MetricValue(const std::string& metrics, const std::string& series);

} // namespace rpctest
