#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "Consiste.h"
#include "OrderLoadSupport.h"
#include "RdmCancelaPedido.h"

using orderload::MarkOf;
using orderload::OrderNumber;

// The demo data of branch 0001 (which controls commitments) repeats twelve order shapes: order n
// has the shape n % 12, and every fourth order carries a commitment number.
TEST_F(OrderLoadTest, LoadCheckLeavesSelectableOnlyTheOrdersItsRulesAllow) {
    TfrmCancelaPed& screen = OpenOn("0001");
    ASSERT_TRUE(Refresh(screen)) << testing::PrintToString(platform.Errors());

    for (const orderload::ExpectedMark& c : orderload::DemoMarks)
        EXPECT_EQ(MarkOf(screen, OrderNumber(c.Order)), c.Mark) << "order " << c.Order << ": " << c.Why;
    // 160 orders: 13 whole rounds of the twelve shapes with 8 counted each, then shapes 1 to 4,
    // and orders 108 and 156, whose first item was cancelled on its own.
    EXPECT_EQ(screen.cdsPedido.RecordCount(), 160);
    EXPECT_EQ(inContDesabilitadosPed, 13 * 8 + 2 + 2) << "situation 4 with a commitment still counts";
    EXPECT_EQ(inContPedidoCh, 0);
    EXPECT_EQ(inContItemPedidoCh, 0);
    EXPECT_EQ(screen.cdsItemPedido.FieldByName("NRPEDIDO").AsString(), OrderNumber(160))
        << "the items of the last order walked stay";
}

TEST_F(OrderLoadTest, EachOrderWalkedLastAloneGetsTheMarkOfTheWholeLoad) {
    ExpectEveryOrderAloneToGetTheMarkOfTheWholeLoad();
}

TEST_F(OrderLoadTest, OrderWithoutItemsIsNeverSelectable) {
    TfrmCancelaPed& screen = OpenOn("0001");
    // No query of the server returns an order without items, so one is added to a real answer.
    RdmCancelaPedido rdm(screen.netCancelaPed);
    TfrmFiltroCancelaPed& f = *frmFiltroCancelaPed;
    data::Packet packet = Consiste::CheckResultServ(
        rdm.GetPedido(f.stParCdFilial, f.stParVendedor, f.stParTVendedor, f.stParCliente, f.stParTCliente,
                      f.stParProduto, f.stParTProduto, f.stParPrioridade, f.stParSitPedido, f.dtParDeEmissao,
                      f.dtParAteEmissao, f.stParTEmissao, f.dtParDeEntrega, f.dtParAteEntrega,
                      f.stParTEntrega, f.stParDeNrPedido, f.stParAteNrPedido, f.stParNrPedido,
                      f.stParTNrPedido, f.stParSitItemPedido),
        true, 0);
    ASSERT_FALSE(packet.Rows.empty());
    const std::vector<data::Value> first = packet.Rows.front();
    packet.Rows = {first, first};
    packet.Rows.back()[1] = std::string("9999999999");

    ASSERT_TRUE(app.Dispatch([&] { screen.cdsPedido.LoadFromPacket(packet); }));

    EXPECT_EQ(MarkOf(screen, OrderNumber(1)), "N");
    EXPECT_EQ(MarkOf(screen, "9999999999"), "");
    EXPECT_EQ(inContDesabilitadosPed, 1);
}

TEST_F(OrderLoadTest, RefreshKeepsTheCurrentOrderOrFallsBackToTheFirstRow) {
    TfrmCancelaPed& screen = OpenOn("0001");
    ASSERT_TRUE(Refresh(screen));
    ASSERT_TRUE(screen.cdsPedido.Locate("NRPEDIDO", OrderNumber(11), false));

    ASSERT_TRUE(user.Click(screen.sbtVerificar));
    EXPECT_EQ(stSelNrPedido, OrderNumber(11));
    EXPECT_EQ(screen.cdsPedido.FieldByName("NRPEDIDO").AsString(), OrderNumber(11));

    frmFiltroCancelaPed->stParSitPedido = "4"; // order 11 is in situation 1
    ASSERT_TRUE(user.Click(screen.sbtVerificar));
    EXPECT_EQ(screen.cdsPedido.RecNo(), 1);
    EXPECT_EQ(screen.cdsPedido.FieldByName("NRPEDIDO").AsString(), OrderNumber(8));
}

TEST_F(OrderLoadTest, LoadReleasesTheScreenAndFetchesItemsOncePerOrder) {
    TfrmCancelaPed& screen = OpenOn("0001");
    const double itemsBefore = orderload::OkCalls(*server, "GetItemPedido");
    const double blockingBefore = orderload::OkCalls(*server, "GetItemPedidoSemFiltro2");
    platform.ClearEvents();

    ASSERT_TRUE(Refresh(screen));

    EXPECT_EQ(orderload::OkCalls(*server, "GetItemPedido") - itemsBefore, 160);
    // Situation 2 orders that pass the item test: shapes 3, 5 and 6, 14 + 13 + 13 of them.
    EXPECT_EQ(orderload::OkCalls(*server, "GetItemPedidoSemFiltro2") - blockingBefore, 40);
    EXPECT_EQ(platform.UpdateLockDepth(), 0);
    EXPECT_FALSE(platform.IsBusy());
    const auto& events = platform.Events();
    const auto busy = std::find_if(events.begin(), events.end(), [](const ui::HeadlessPlatform::Event& e) {
        return e.Kind == ui::HeadlessPlatform::EventKind::BusyOn;
    });
    ASSERT_NE(busy, events.end());
    EXPECT_EQ(busy->Answer, "6");
    EXPECT_FALSE(screen.cdsPedido.ControlsDisabled());
    EXPECT_TRUE(static_cast<bool>(screen.cdsPedido.AfterScroll));
    EXPECT_TRUE(screen.sbtVerificar.Enabled());
    EXPECT_TRUE(screen.tshItemPedido.Enabled());
}

TEST_F(OrderLoadTest, EmptyResultShowsTheOrdersPageAndOffersOnlyTheFilter) {
    TfrmCancelaPed& screen = OpenOn("0001");
    ASSERT_TRUE(Refresh(screen));
    ASSERT_TRUE(user.ClickMenu(screen.mnuItemPedido));
    ASSERT_EQ(screen.pgcPadrao.ActivePage(), &screen.tshItemPedido);

    frmFiltroCancelaPed->stParTNrPedido = "";
    frmFiltroCancelaPed->stParNrPedido = "9999999999";
    ASSERT_TRUE(Refresh(screen));

    EXPECT_TRUE(screen.cdsPedido.IsEmpty());
    EXPECT_EQ(screen.pgcPadrao.ActivePage(), &screen.tshPadrao);
    EXPECT_FALSE(screen.tshItemPedido.Enabled());
    EXPECT_FALSE(screen.sbtProcurar.Enabled());
    EXPECT_FALSE(screen.sbtVerificar.Enabled());
    EXPECT_TRUE(screen.sbtFiltro.Enabled());
    EXPECT_EQ(inContDesabilitadosPed, 0);
}

TEST_F(OrderLoadTest, FailedOrderCallKeepsThePreviousOrdersAndReleasesTheScreen) {
    TfrmCancelaPed& screen = OpenOn("0001");
    ASSERT_TRUE(Refresh(screen));
    ASSERT_TRUE(screen.cdsPedido.Locate("NRPEDIDO", OrderNumber(7), false));

    frmFiltroCancelaPed->stParSitPedido = "9"; // not a situation code: the server refuses
    EXPECT_FALSE(Refresh(screen));

    ASSERT_EQ(platform.Errors().size(), 1u);
    EXPECT_NE(platform.Errors().front().find("situação do pedido"), std::string::npos);
    EXPECT_EQ(screen.cdsPedido.RecordCount(), 160);
    EXPECT_EQ(screen.cdsPedido.FieldByName("NRPEDIDO").AsString(), OrderNumber(7));
    EXPECT_EQ(platform.UpdateLockDepth(), 0);
    EXPECT_FALSE(platform.IsBusy());
}

TEST_F(OrderLoadTest, OrderCursorColoursTheSummaryAndFollowsWithItemsOnTheItemsPage) {
    TfrmCancelaPed& screen = OpenOn("0001");
    ASSERT_TRUE(Refresh(screen));
    struct Case {
        int Order;
        ui::Color Colour;
    };
    const Case cases[] = {{1, ui::clBlue}, {3, ui::clOlive},  {7, ui::clPurple},
                          {8, ui::clRed},  {9, ui::clPurple}, {10, ui::clTeal}};
    for (const Case& c : cases) {
        ASSERT_TRUE(user.MoveGridRow(screen.dbgPadrao, c.Order - 1));
        EXPECT_EQ(screen.dbtNome.Font().Color, c.Colour) << "order " << c.Order;
    }
    EXPECT_EQ(screen.cdsItemPedido.FieldByName("NRPEDIDO").AsString(), OrderNumber(160))
        << "the orders page loads no items";

    ASSERT_TRUE(user.ClickMenu(screen.mnuItemPedido));
    ASSERT_TRUE(screen.cdsPedido.Locate("NRPEDIDO", OrderNumber(5), false));
    EXPECT_EQ(screen.cdsItemPedido.FieldByName("NRPEDIDO").AsString(), OrderNumber(5));
}

TEST_F(OrderLoadTest, LoadCheckReachesEveryOrderWhileTheGridIsSortedByItsCheckColumn) {
    TfrmCancelaPed& screen = OpenOn("0001");
    ASSERT_TRUE(Refresh(screen));
    screen.cdsPedido.SetIndexFieldNames("IDCHECK");

    ASSERT_TRUE(Refresh(screen));

    EXPECT_EQ(inContDesabilitadosPed, 13 * 8 + 2 + 2);
    EXPECT_EQ(MarkOf(screen, OrderNumber(158)), "") << "situation 1 with a cancelled item";
    EXPECT_EQ(MarkOf(screen, OrderNumber(160)), "") << "situation 2 with an approved item";
    EXPECT_EQ(screen.cdsPedido.IndexFieldNames(), "IDCHECK") << "the operator's order is kept";
}
