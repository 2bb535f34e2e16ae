#pragma once

#include "DatabaseTest.h"
#include "rdm/CancelaPedidoService.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A small, hand-made database (see RdmFixture.cpp for its orders) on each backend.
class RdmTest : public testdb::DatabaseTest {
protected:
    void SetUp() override;

    // `batch`: the shared reads of the batch the call is part of, or none; `readParts`: how the
    // call may read in parts, or in one piece.
    nlohmann::json Call(const std::string& method, const nlohmann::json& params,
                        const std::string& oper = "DEMO", pedserver::BatchReads* batch = nullptr,
                        const pedserver::ReadParts* readParts = nullptr);
    // The RpcError a call must raise: its code and message.
    std::pair<int, std::string> Error(const std::string& method, const nlohmann::json& params,
                                      const std::string& oper = "DEMO");
    // The same for a Set... call, which must also leave every order, item, balance and audit row
    // as it was.
    std::pair<int, std::string> Refusal(const std::string& method, const nlohmann::json& params,
                                        const std::string& oper = "DEMO");

    // The order numbers of a Get... packet, in packet order.
    static std::vector<std::string> Numbers(const nlohmann::json& result,
                                            const std::string& field = "NRPEDIDO");
    // The twenty GetPedido parameters that select every order of a branch.
    static nlohmann::json Everything(const std::string& filial = "0001");

    std::string OrderSituation(const std::string& filial, const std::string& pedido);
    std::string ItemSituations(const std::string& filial, const std::string& pedido);
    std::string Balance(const std::string& commitment);
    // balance + value of the live items of the commitment's orders, in cents.
    long long CommitmentTotal(const std::string& commitment);
    long long AuditRows();
    // A whole-state fingerprint of orders, items, balances and audit rows.
    std::string Snapshot();

    // The limits and answer budget the calls run with; tests may lower them.
    pedserver::CallLimits m_limits;
    std::size_t m_answerBytes = 64 * 1024 * 1024;
};

inline const char* kOperBloq = "Operação bloqueada. Pedido em alteração por outro usuário.";
inline const char* kSaldoEmp = "Operação Bloqueada! Valor do pedido é maior que o saldo do empenho.";

// An order packet as the screen sends it, with the given orders checked.
nlohmann::json
OrderPacket(const std::vector<std::array<std::string, 3>>& rows); // filial, pedido, situation; all "S"
// An item packet: filial, pedido, item, situation seen; all checked.
nlohmann::json ItemPacket(const std::vector<std::array<std::string, 4>>& rows);
