#include "RdmFixture.h"
#include "protocol/RemoteModules.h"
#include "rdm/RpcError.h"
#include "server/RemoteModules.h"

#include <span>

namespace {

struct ModuleTable {
    std::string_view module;
    std::span<const protocol::MethodInfo> methods;
};

const ModuleTable kModules[] = {
    {protocol::CancelaPedidoModule, protocol::CancelaPedidoMethods},
    {protocol::RelPedidoModule, protocol::RelPedidoMethods},
    {protocol::LookupModule, protocol::LookupMethods},
};

class ProtocolTable : public RdmTest {
protected:
    // The code a call with no arguments ends with on the module, or 0 when it succeeds.
    int CodeOfEmptyCall(const pedserver::RemoteModule& module, std::string_view method) {
        const nlohmann::json none = nlohmann::json::array();
        pedserver::AnswerBudget answer(m_answerBytes);
        try {
            module.Call(method, {*m_connection, none, "DEMO", m_limits, answer, nullptr});
        } catch (const pedserver::RpcError& error) {
            return error.Code();
        }
        return 0;
    }
};

// The table both ends read must match what the server runs: a listed method the server cannot
// run, or one it runs as read-only that is not, would only show on the wire.
TEST_P(ProtocolTable, EveryListedMethodIsServedWithItsFlagAndNothingElseIs) {
    for (const auto& table : kModules) {
        const pedserver::RemoteModule* module = pedserver::FindRemoteModule(table.module);
        ASSERT_NE(module, nullptr) << table.module;
        for (const auto& method : table.methods) {
            SCOPED_TRACE(std::string(table.module) + "." + std::string(method.name));
            EXPECT_TRUE(module->HasMethod(method.name));
            EXPECT_EQ(module->IsReadOnly(method.name), method.readOnly);
            EXPECT_NE(CodeOfEmptyCall(*module, method.name), pedserver::RpcCode::MethodNotFound);
        }
        for (std::string_view stranger : {"Login", "DropEverything", "getpedido", ""}) {
            EXPECT_FALSE(module->HasMethod(stranger)) << stranger;
            EXPECT_FALSE(module->IsReadOnly(stranger)) << stranger;
            EXPECT_EQ(CodeOfEmptyCall(*module, stranger), pedserver::RpcCode::MethodNotFound) << stranger;
        }
    }
    EXPECT_EQ(pedserver::FindRemoteModule("Ped01000.rdmcancelapedido"), nullptr);
}

// The dry runs lock and write before they roll back, so they must never join a batch's shared
// read transaction.
TEST_P(ProtocolTable, DryRunsAndCommandsAreNotReadOnly) {
    for (std::string_view method : {"GetSimulaCancelaPed", "GetSimulaCancelaItemPed", "GetSimulaDesfazCancel",
                                    "SetCancelaPed", "SetCancelaItemPed", "SetDesfazCancel"})
        EXPECT_FALSE(protocol::IsReadOnly(protocol::CancelaPedidoMethods, method)) << method;
}

TESTKIT_ON_BOTH_BACKENDS(ProtocolTable);

} // namespace
