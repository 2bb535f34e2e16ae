#include "RdmFixture.h"
#include "storage/OrderLock.h"

namespace {

class SetCancelaPed : public RdmTest {
protected:
    nlohmann::json Params(const nlohmann::json& packet, const std::string& oper = "DEMO",
                          const std::string& filial = "0001", const std::string& justification = "0001") {
        return {oper, justification, packet, kOperBloq, filial, kSaldoEmp};
    }
};

TEST_P(SetCancelaPed, CancellingAPendingOrderCancelsItsItemsAndAuditsEachChange) {
    const auto result = Call("SetCancelaPed", Params(OrderPacket({{"0001", "0000000001", "1"}})));
    EXPECT_EQ(result, (nlohmann::json{{"status", "ok"}, {"rows", 1}}));
    EXPECT_EQ(OrderSituation("0001", "0000000001"), "4");
    EXPECT_EQ(ItemSituations("0001", "0000000001"), "55");
    const auto items =
        m_connection->Query("SELECT IDSITANTCANC, CDJUSTEXCHIS, CDOPERADOR FROM ITEMPEDIDO WHERE "
                            "CDFILIAL = '0001' AND NRPEDIDO = '0000000001'");
    for (std::size_t i = 0; i < items.Size(); ++i) {
        EXPECT_EQ(items.Text(i, "IDSITANTCANC"), "1");
        EXPECT_EQ(items.Text(i, "CDJUSTEXCHIS"), "0001");
        EXPECT_EQ(items.Text(i, "CDOPERADOR"), "DEMO");
    }
    const auto audit =
        m_connection->Query("SELECT NRITEMPED, IDOPERACAO, CDOPERADOR, CDJUSTEXCHIS, IDSITANTERIOR, "
                            "IDSITNOVA, DTOPERACAO FROM HISTCANCPED ORDER BY IDHIST");
    ASSERT_EQ(audit.Size(), 3u);
    EXPECT_EQ(audit.Text(2, "NRITEMPED"), "");
    EXPECT_EQ(audit.Text(2, "IDSITANTERIOR") + audit.Text(2, "IDSITNOVA"), "14");
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(audit.Text(i, "IDOPERACAO") + audit.Text(i, "CDOPERADOR") + audit.Text(i, "CDJUSTEXCHIS"),
                  "CPDEMO0001");
        EXPECT_FALSE(audit.Text(i, "DTOPERACAO").empty());
    }
    // Unchecked rows of the packet are left alone.
    EXPECT_EQ(OrderSituation("0001", "0000000006"), "1");
}

TEST_P(SetCancelaPed, CancellingReturnsTheOrdersValueToItsCommitment) {
    Call("SetCancelaPed", Params(OrderPacket({{"0001", "0000000006", "1"}})));
    EXPECT_EQ(Balance("E1"), "1007.60");
}

TEST_P(SetCancelaPed, ReinstatingRestoresPreviousSituationsAndTakesFromTheCommitment) {
    Call("SetCancelaPed", Params(OrderPacket({{"0001", "0000000003", "4"}})));
    EXPECT_EQ(ItemSituations("0001", "0000000003"), "12");
    EXPECT_EQ(OrderSituation("0001", "0000000003"), "2");
    EXPECT_EQ(Balance("E1"), "899.50");
    const auto audit = m_connection->Query("SELECT DISTINCT IDOPERACAO FROM HISTCANCPED");
    EXPECT_EQ(audit.Size(), 1u);
    EXPECT_EQ(audit.Text(0, "IDOPERACAO"), "RP");
}

TEST_P(SetCancelaPed, RefusalsChangeNothingAndAnswerTheClientsOwnTexts) {
    pedserver::LockOrder(*m_connection, "0001", "0000000006", "VEND02");
    struct Case {
        const char* name;
        nlohmann::json params;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"balance too low", Params(OrderPacket({{"0001", "0000000007", "4"}})), kSaldoEmp},
        {"edited by another operator", Params(OrderPacket({{"0001", "0000000006", "1"}})), kOperBloq},
        {"situation changed meanwhile", Params(OrderPacket({{"0001", "0000000001", "2"}})), kOperBloq},
        {"one order of a mixed selection refused",
         Params(OrderPacket({{"0001", "0000000001", "1"}, {"0001", "0000000008", "3"}})),
         "Pedido 0000000008 não pode ser cancelado."},
        {"delivered items", Params(OrderPacket({{"0001", "0000000009", "2"}})),
         "Pedido 0000000009 não pode ser cancelado."},
        {"reserved lot", Params(OrderPacket({{"0001", "0000000005", "2"}})),
         "Pedido 0000000005 não pode ser cancelado."},
        {"unknown justification", Params(OrderPacket({{"0001", "0000000001", "1"}}), "DEMO", "0001", "0099"),
         "Justificativa de exclusão do historico não cadastrada."},
        {"forged operator", Params(OrderPacket({{"0001", "0000000001", "1"}}), "VEND01"),
         "Operador não corresponde ao token de acesso."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Refusal("SetCancelaPed", c.params).second, c.message) << c.name;
}

TEST_P(SetCancelaPed, ARestrictedOperatorCannotCancelAnotherSellersOrderWithAForgedPacket) {
    EXPECT_EQ(Refusal("SetCancelaPed", Params(OrderPacket({{"0001", "0000000002", "2"}}), "VEND01"), "VEND01"),
              std::make_pair(pedserver::RpcCode::Refused, std::string("Pedido 0000000002 não encontrado na filial 0001.")));
    Call("SetCancelaPed", Params(OrderPacket({{"0001", "0000000001", "1"}}), "VEND01"), "VEND01");
    EXPECT_EQ(OrderSituation("0001", "0000000001"), "4");
}

TEST_P(SetCancelaPed, MalformedPacketsAreInvalidParameters) {
    auto noKey = OrderPacket({{"0001", "0000000001", "1"}});
    noKey["fields"].erase(1);
    auto shortRow = OrderPacket({{"0001", "0000000001", "1"}});
    shortRow["rows"][0].erase(3);
    auto numberInText = OrderPacket({{"0001", "0000000001", "1"}});
    numberInText["rows"][0][1] = 1;
    const auto otherBranch = OrderPacket({{"0002", "0000000001", "1"}});
    const auto repeated = OrderPacket({{"0001", "0000000001", "1"}, {"0001", "0000000001", "1"}});
    for (const auto& packet : {noKey, shortRow, numberInText, otherBranch, repeated, nlohmann::json("x")})
        EXPECT_EQ(Error("SetCancelaPed", Params(packet)).first, pedserver::RpcCode::InvalidParams)
            << packet.dump();
    EXPECT_EQ(AuditRows(), 0);
}

TESTKIT_ON_BOTH_BACKENDS(SetCancelaPed);

} // namespace
