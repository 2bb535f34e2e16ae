#include "RpcTestSupport.h"
#include "storage/Decimal.h"

namespace rpctest {
namespace {

using pedserver::Decimal;

// Item commands on an order under a commitment, in a branch that controls commitments, through a
// real server: the items change like any other order's and the commitment's balance plus the
// value of its live items stays what it was.
class CommittedItemsTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        m_server =
            std::make_unique<testkit::ServerProcess>(testkit::ServerProcessOptions{.backend = GetParam()});
        m_db = m_server->Database().Connect();
        const auto orders = m_db->Query(
            "SELECT P.CDFILIAL, P.NRPEDIDO, P.NREMPENHO FROM PEDIDO P JOIN PARAMPEDIDO B ON B.CDFILIAL = "
            "P.CDFILIAL WHERE B.IDUTCTREMPEN = 'S' AND P.NREMPENHO IS NOT NULL AND P.IDSITPEDIDO = '1' AND "
            "P.CDOPERALTE IS NULL AND (SELECT COUNT(*) FROM ITEMPEDIDO I WHERE I.CDFILIAL = P.CDFILIAL AND "
            "I.NRPEDIDO = P.NRPEDIDO AND I.IDSITITEMPED = '1') >= 2 AND NOT EXISTS (SELECT 1 FROM ITEMPEDIDO "
            "I WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = P.NRPEDIDO AND I.IDSITITEMPED <> '1') "
            "ORDER BY P.CDFILIAL, P.NRPEDIDO");
        ASSERT_FALSE(orders.IsEmpty()) << "the demo data has a live order under a commitment";
        m_filial = orders.Text(0, "CDFILIAL");
        m_pedido = orders.Text(0, "NRPEDIDO");
        m_commitment = orders.Text(0, "NREMPENHO");
    }

    // Every item of the order with its situation, the given ones checked.
    nlohmann::json Packet(const std::vector<std::string>& checked) {
        nlohmann::json rows = nlohmann::json::array();
        for (const auto& row : Items()) {
            const auto number = sqldb::AsText(row[0]);
            const bool check = std::find(checked.begin(), checked.end(), number) != checked.end();
            rows.push_back({m_filial, m_pedido, number, check ? "S" : "N", sqldb::AsText(row[1])});
        }
        return ItemPacket(rows);
    }

    sqldb::Rows Items() {
        return m_db->Query("SELECT NRITEMPED, IDSITITEMPED, QTITEMPED, VRPREUNITPED FROM ITEMPEDIDO WHERE "
                           "CDFILIAL = :F AND NRPEDIDO = :P ORDER BY NRITEMPED",
                           {{"F", m_filial}, {"P", m_pedido}});
    }

    nlohmann::json Params(const std::vector<std::string>& checked) {
        return {"DEMO", "0001", Packet(checked), OperBloq};
    }

    Decimal Balance() {
        return Decimal::FromValue(
            m_db->Query("SELECT VRSALDO FROM EMPENHO WHERE NREMPENHO = :E", {{"E", m_commitment}})
                .At(0, "VRSALDO"));
    }

    // The commitment's balance plus the value of the live items of all its orders.
    Decimal Invariant() {
        Decimal total = Balance();
        for (const auto& row : m_db->Query(
                 "SELECT I.QTITEMPED, I.VRPREUNITPED FROM ITEMPEDIDO I JOIN PEDIDO P ON P.CDFILIAL = "
                 "I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO WHERE P.NREMPENHO = :E AND I.IDSITITEMPED <> '5'",
                 {{"E", m_commitment}}))
            total += Decimal::FromValue(row[0]).Times(Decimal::FromValue(row[1])).RoundedToCents();
        return total;
    }

    Decimal ItemValue(std::size_t index) {
        const auto items = Items();
        return Decimal::FromValue(items.At(index, "QTITEMPED"))
            .Times(Decimal::FromValue(items.At(index, "VRPREUNITPED")))
            .RoundedToCents();
    }

    std::string OrderSituation() {
        return m_db
            ->Query("SELECT IDSITPEDIDO FROM PEDIDO WHERE CDFILIAL = :F AND NRPEDIDO = :P",
                    {{"F", m_filial}, {"P", m_pedido}})
            .Text(0, "IDSITPEDIDO");
    }

    long long AuditRows(const char* operation) {
        return sqldb::AsInt(m_db->Query("SELECT COUNT(*) AS N FROM HISTCANCPED WHERE NRPEDIDO = :P AND "
                                        "CDFILIAL = :F AND IDOPERACAO = :O AND NRITEMPED IS NOT NULL",
                                        {{"F", m_filial}, {"P", m_pedido}, {"O", operation}})
                                .At(0, "N"));
    }

    std::unique_ptr<testkit::ServerProcess> m_server;
    std::unique_ptr<sqldb::Connection> m_db;
    std::string m_filial, m_pedido, m_commitment;
};

TEST_P(CommittedItemsTest, CancellingItemsReturnsTheirValueAndTheLastOneCancelsTheOrder) {
    pedclient::RpcClient client = m_server->Client("DEMO");
    const Decimal invariant = Invariant();
    const Decimal balance = Balance();
    const auto items = Items();
    const std::string first = items.Text(0, "NRITEMPED");

    EXPECT_EQ(client.Call("SetCancelaItemPed", Params({first}))["rows"], 1);
    EXPECT_EQ(Balance(), balance + ItemValue(0));
    EXPECT_EQ(OrderSituation(), "1");
    EXPECT_EQ(Invariant(), invariant);

    std::vector<std::string> rest;
    for (std::size_t i = 1; i < items.Size(); ++i)
        rest.push_back(items.Text(i, "NRITEMPED"));
    EXPECT_EQ(client.Call("SetCancelaItemPed", Params(rest))["rows"], rest.size());
    EXPECT_EQ(OrderSituation(), "4");
    EXPECT_EQ(Invariant(), invariant);
    EXPECT_EQ(AuditRows("CI"), static_cast<long long>(items.Size())) << "one audit row per item";
}

TEST_P(CommittedItemsTest, UndoingTakesTheValueBackOnlyWhenTheBalanceCoversIt) {
    pedclient::RpcClient client = m_server->Client("DEMO");
    const std::string first = Items().Text(0, "NRITEMPED");
    client.Call("SetCancelaItemPed", Params({first}));
    const Decimal value = ItemValue(0);

    m_db->Execute("UPDATE EMPENHO SET VRSALDO = :S WHERE NREMPENHO = :E",
                  {{"S", (value - Decimal::FromCents(1)).ToText()}, {"E", m_commitment}});
    try {
        client.Call("SetDesfazCancel", Params({first}));
        ADD_FAILURE() << "an undo beyond the balance was accepted";
    } catch (const pedclient::RpcClientError& error) {
        EXPECT_EQ(error.Code(), 1);
        EXPECT_EQ(std::string(error.what()), SaldoEmp);
    }
    EXPECT_EQ(Items().Text(0, "IDSITITEMPED"), "5") << "the refused undo changed nothing";
    EXPECT_EQ(AuditRows("DI"), 0);

    m_db->Execute("UPDATE EMPENHO SET VRSALDO = :S WHERE NREMPENHO = :E",
                  {{"S", value.ToText()}, {"E", m_commitment}});
    const Decimal invariant = Invariant();
    EXPECT_EQ(client.Call("SetDesfazCancel", Params({first}))["rows"], 1);
    EXPECT_EQ(Items().Text(0, "IDSITITEMPED"), "1");
    EXPECT_EQ(Balance(), Decimal());
    EXPECT_EQ(Invariant(), invariant);
    EXPECT_EQ(AuditRows("DI"), 1);
}

TESTKIT_ON_BOTH_BACKENDS(CommittedItemsTest);

} // namespace
} // namespace rpctest
