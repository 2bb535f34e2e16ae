#include "RdmFixture.h"
#include "storage/OrderLock.h"

#include <thread>

namespace {

class SetItems : public RdmTest {
protected:
    nlohmann::json Params(const nlohmann::json& packet, const std::string& oper = "DEMO") {
        return {oper, "0001", packet, kOperBloq};
    }
};

TEST_P(SetItems, CancellingSomeItemsKeepsTheOrderLiveAndTheLastOneCancelsIt) {
    Call("SetCancelaItemPed", Params(ItemPacket({{"0001", "0000000002", "0000000001", "2"}})));
    EXPECT_EQ(ItemSituations("0001", "0000000002"), "51");
    EXPECT_EQ(OrderSituation("0001", "0000000002"), "2");
    EXPECT_EQ(AuditRows(), 1);
    Call("SetCancelaItemPed", Params(ItemPacket({{"0001", "0000000002", "0000000002", "1"}})));
    EXPECT_EQ(OrderSituation("0001", "0000000002"), "4");
    EXPECT_EQ(AuditRows(), 3); // the item and the order
    const auto kept = m_connection->Query("SELECT IDSITANTCANC FROM ITEMPEDIDO WHERE CDFILIAL = '0001' AND "
                                          "NRPEDIDO = '0000000002' ORDER BY NRITEMPED");
    EXPECT_EQ(kept.Text(0, "IDSITANTCANC") + kept.Text(1, "IDSITANTCANC"), "21");
}

TEST_P(SetItems, UndoingRestoresPreviousSituationsAndRevivesACancelledOrder) {
    Call("SetCancelaItemPed", Params(ItemPacket({{"0001", "0000000002", "0000000001", "2"},
                                                 {"0001", "0000000002", "0000000002", "1"}})));
    ASSERT_EQ(OrderSituation("0001", "0000000002"), "4");
    const auto result =
        Call("SetDesfazCancel", Params(ItemPacket({{"0001", "0000000002", "0000000002", "5"}})));
    EXPECT_EQ(result, (nlohmann::json{{"status", "ok"}, {"rows", 1}}));
    EXPECT_EQ(ItemSituations("0001", "0000000002"), "51");
    EXPECT_EQ(OrderSituation("0001", "0000000002"), "1");
    Call("SetDesfazCancel", Params(ItemPacket({{"0001", "0000000002", "0000000001", "5"}})));
    EXPECT_EQ(ItemSituations("0001", "0000000002"), "21");
    EXPECT_EQ(OrderSituation("0001", "0000000002"), "1") << "only a cancelled order gets a new situation";
    const auto undone = m_connection->Query("SELECT COUNT(*) AS N FROM HISTCANCPED WHERE IDOPERACAO = 'DI'");
    EXPECT_EQ(sqldb::AsInt(undone.At(0, "N")), 3);
}

TEST_P(SetItems, ItemChangesMoveValueBetweenItemsAndCommitment) {
    const auto total = CommitmentTotal("E1");
    Call("SetCancelaItemPed", Params(ItemPacket({{"0002", "0000000003", "0000000001", "1"}})));
    EXPECT_EQ(Balance("E1"), "1020.00");
    EXPECT_EQ(CommitmentTotal("E1"), total);
    m_connection->Execute("UPDATE EMPENHO SET VRSALDO = 19.99 WHERE NREMPENHO = 'E1'");
    EXPECT_EQ(
        Refusal("SetDesfazCancel", Params(ItemPacket({{"0002", "0000000003", "0000000001", "5"}}))).second,
        kSaldoEmp);
}

// Order 6 of branch 0001 (which controls commitments) is under E1: its items change one by one
// like any other order's, the value moving between items and commitment both ways.
TEST_P(SetItems, ItemsOfACommittedOrderMoveTheirValueAndTheOrderFollowsThem) {
    const auto total = CommitmentTotal("E1");
    Call("SetCancelaItemPed", Params(ItemPacket({{"0001", "0000000006", "0000000001", "1"}})));
    EXPECT_EQ(ItemSituations("0001", "0000000006"), "51");
    EXPECT_EQ(OrderSituation("0001", "0000000006"), "1");
    EXPECT_EQ(Balance("E1"), "1007.00");
    EXPECT_EQ(AuditRows(), 1);
    Call("SetCancelaItemPed", Params(ItemPacket({{"0001", "0000000006", "0000000002", "1"}})));
    EXPECT_EQ(OrderSituation("0001", "0000000006"), "4") << "the last live item cancels the order";
    EXPECT_EQ(Balance("E1"), "1007.60");
    EXPECT_EQ(AuditRows(), 3); // the item and the order
    EXPECT_EQ(CommitmentTotal("E1"), total);

    m_connection->Execute("UPDATE EMPENHO SET VRSALDO = 6.99 WHERE NREMPENHO = 'E1'");
    EXPECT_EQ(
        Refusal("SetDesfazCancel", Params(ItemPacket({{"0001", "0000000006", "0000000001", "5"}}))).second,
        kSaldoEmp);
    m_connection->Execute("UPDATE EMPENHO SET VRSALDO = 7.00 WHERE NREMPENHO = 'E1'");
    const auto total700 = CommitmentTotal("E1");
    Call("SetDesfazCancel", Params(ItemPacket({{"0001", "0000000006", "0000000001", "5"}})));
    EXPECT_EQ(Balance("E1"), "0.00") << "a balance that covers the item exactly is enough";
    EXPECT_EQ(ItemSituations("0001", "0000000006"), "15");
    EXPECT_EQ(OrderSituation("0001", "0000000006"), "1");
    EXPECT_EQ(CommitmentTotal("E1"), total700);
    const auto rows = m_connection->Query(
        "SELECT NRITEMPED, IDOPERACAO FROM HISTCANCPED WHERE NRITEMPED IS NOT NULL ORDER BY IDHIST");
    ASSERT_EQ(rows.Size(), 3u) << "one audit row per item changed";
    EXPECT_EQ(rows.Text(2, "IDOPERACAO"), "DI");
}

TEST_P(SetItems, RefusalsChangeNothing) {
    pedserver::LockOrder(*m_connection, "0001", "0000000009", "VEND02");
    struct Case {
        const char* name;
        nlohmann::json params;
        std::string oper;
        int code;
    };
    const std::vector<Case> cases = {
        {"edited by another operator", Params(ItemPacket({{"0001", "0000000009", "0000000001", "2"}})),
         "DEMO", pedserver::RpcCode::Refused},
        {"situation changed", Params(ItemPacket({{"0001", "0000000002", "0000000001", "1"}})), "DEMO",
         pedserver::RpcCode::Refused},
        {"liquidated item", Params(ItemPacket({{"0001", "0000000004", "0000000002", "4"}})), "DEMO",
         pedserver::RpcCode::Refused},
        {"another seller's order", Params(ItemPacket({{"0001", "0000000002", "0000000001", "2"}}), "VEND01"),
         "VEND01", pedserver::RpcCode::Refused},
        {"forged operator", Params(ItemPacket({{"0001", "0000000001", "0000000001", "1"}}), "DEMO"), "VEND01",
         pedserver::RpcCode::Forbidden},
        {"items of two orders",
         Params(ItemPacket(
             {{"0001", "0000000001", "0000000001", "1"}, {"0001", "0000000002", "0000000001", "2"}})),
         "DEMO", pedserver::RpcCode::InvalidParams},
        {"unknown item", Params(ItemPacket({{"0001", "0000000001", "0000000009", "1"}})), "DEMO",
         pedserver::RpcCode::Refused},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Refusal("SetCancelaItemPed", c.params, c.oper).first, c.code) << c.name;
    EXPECT_EQ(
        Error("SetCancelaItemPed", Params(ItemPacket({{"0001", "0000000009", "0000000001", "2"}}))).second,
        kOperBloq);
    EXPECT_EQ(Error("SetDesfazCancel", Params(ItemPacket({{"0001", "0000000001", "0000000001", "1"}}))).first,
              pedserver::RpcCode::Refused);
}

// Several threads, each with its own connection, cancel and reinstate orders and items of one
// commitment at once; every call either succeeds or is refused whole, and the commitment's
// balance plus its live items stays what it was.
TEST_P(SetItems, ConcurrentChangesKeepTheCommitmentInvariant) {
    const auto total = CommitmentTotal("E1");
    std::atomic<int> done = 0, failures = 0;
    const auto worker = [&](int thread) {
        auto connection = m_db->Connect();
        const pedserver::CallLimits limits;
        const auto call = [&](const char* method, const nlohmann::json& params) {
            pedserver::AnswerBudget answer(1024 * 1024);
            pedserver::CancelaPedidoService::Call(method, {*connection, params, "DEMO", limits, answer, nullptr});
        };
        for (int round = 0; round < 6; ++round) {
            try {
                const auto params = [&](const char* situation, const char* item) {
                    return nlohmann::json{"DEMO", "0001",
                                          ItemPacket({{"0002", "0000000003", item, situation}}), kOperBloq};
                };
                const char* item = thread % 2 ? "0000000001" : "0000000002";
                const char* previous = thread % 2 ? "1" : "2";
                const auto orderSituation = sqldb::AsText(
                    connection
                        ->Query("SELECT IDSITPEDIDO FROM PEDIDO WHERE CDFILIAL = '0001' AND NRPEDIDO = "
                                "'0000000006'")
                        .At(0, "IDSITPEDIDO"));
                call("SetCancelaItemPed", params(previous, item));
                call("SetDesfazCancel", params("5", item));
                call("SetCancelaPed", {"DEMO", "0001", OrderPacket({{"0001", "0000000006", orderSituation}}),
                                       kOperBloq, "0001", kSaldoEmp});
                ++done;
            } catch (const pedserver::RpcError&) {
                ++failures; // another thread changed the row first: refused whole
            }
        }
    };
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread)
        threads.emplace_back(worker, thread);
    for (auto& thread : threads)
        thread.join();
    EXPECT_GT(done.load(), 0);
    EXPECT_EQ(CommitmentTotal("E1"), total);
}

TESTKIT_ON_BOTH_BACKENDS(SetItems);

} // namespace
