#include "CLI_Ped01000/Cli_ped01000.h"
#include "OrderLoadSupport.h"
#include "testkit/TestDatabase.h"

#include <memory>

using orderload::MarkOf;
using orderload::OrderNumber;

// The screen against a server on PostgreSQL, which reads the orders of each batch of the load
// check in set-based statements instead of one statement per call.
class PostgresOrderLoadTest : public OrderLoadTest {
protected:
    static void SetUpTestSuite() {
        if (!testkit::TestDatabase::PostgresUrl())
            return;
        testkit::ServerProcessOptions options;
        options.backend = testkit::TestBackend::Postgres;
        server = std::make_unique<testkit::ServerProcess>(options);
    }

    void SetUp() override {
        if (!server)
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        OrderLoadTest::SetUp();
    }
};

TEST_F(PostgresOrderLoadTest, TheLoadCheckDisablesTheSameOrdersWithTheSameCallsAsOrderByOrder) {
    TfrmCancelaPed& screen = OpenOn("0001");
    const double itemsBefore = orderload::OkCalls(*server, "GetItemPedido");
    const double blockingBefore = orderload::OkCalls(*server, "GetItemPedidoSemFiltro2");

    ASSERT_TRUE(Refresh(screen)) << testing::PrintToString(platform.Errors());

    for (const orderload::ExpectedMark& c : orderload::DemoMarks)
        EXPECT_EQ(MarkOf(screen, OrderNumber(c.Order)), c.Mark) << "order " << c.Order << ": " << c.Why;
    EXPECT_EQ(screen.cdsPedido.RecordCount(), 160);
    EXPECT_EQ(inContDesabilitadosPed, 13 * 8 + 2 + 2);
    EXPECT_EQ(orderload::OkCalls(*server, "GetItemPedido") - itemsBefore, 160);
    EXPECT_EQ(orderload::OkCalls(*server, "GetItemPedidoSemFiltro2") - blockingBefore, 40);
    EXPECT_EQ(screen.cdsItemPedido.FieldByName("NRPEDIDO").AsString(), OrderNumber(160));
}

// The server reads each batch's items in set-based statements here; one that fails fails the
// load exactly as a failed call order by order does.
TEST_F(PostgresOrderLoadTest, AFailedSetBasedItemReadFailsTheLoadAsOrderByOrder) {
    ExpectAFailedItemReadToFailTheLoad();
}

TEST_F(PostgresOrderLoadTest, EachOrderWalkedLastAloneGetsTheMarkOfTheWholeLoad) {
    ExpectEveryOrderAloneToGetTheMarkOfTheWholeLoad();
}
