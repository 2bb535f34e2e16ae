#include "CLI_Ped01000/Cli_ped01000.h"
#include "OrderLoadSupport.h"

#include <memory>

using orderload::Execute;
using orderload::MarkOf;
using orderload::OrderNumber;

// These tests change the server's database, so they have a server of their own.
class OrderLoadDataTest : public OrderLoadTest {};

TEST_F(OrderLoadDataTest, CommitmentUnlocksACancelledOrderOnlyWhereTheBranchControlsThem) {
    struct Case {
        const char* Branch;
        int Order;
        const char* Commitment;
        const char* Mark;
    };
    // Order 8 is cancelled (situation 4) in every branch; 0001 controls commitments, 0002 not.
    const Case cases[] = {
        {"0001", 8, "2024NE000101", "N"},
        {"0001", 8, "", ""},
        {"0002", 8, "2024NE000999", ""},
        {"0002", 8, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "branch " << c.Branch << ", commitment '" << c.Commitment << "'");
        const std::string commitment = *c.Commitment ? "'" + std::string(c.Commitment) + "'" : "NULL";
        Execute(*server, "UPDATE PEDIDO SET NREMPENHO = " + commitment + " WHERE CDFILIAL = '" + c.Branch +
                             "' AND NRPEDIDO = '" + OrderNumber(c.Order) + "'");
        TfrmCancelaPed& screen = OpenOn(c.Branch);
        ASSERT_TRUE(Refresh(screen)) << testing::PrintToString(platform.Errors());
        EXPECT_EQ(MarkOf(screen, OrderNumber(c.Order)), c.Mark);
        ASSERT_TRUE(user.CloseForm(screen));
    }
}

TEST_F(OrderLoadDataTest, FailedItemLoadDuringTheCheckLeavesNoUncheckedOrderAndAWorkingScreen) {
    ExpectAFailedItemReadToFailTheLoad();
}
