#include "SelectionFixture.h"
#include "ui/Keys.h"

#include <algorithm>

namespace {

// Demo orders of branch 0001 (situation; item situations): 1 ("1"; 1 1 1), 2 ("1"; 1 5),
// 7 ("3"; 4 4), 10 and 22 ("6"; 7 4), 12 ("1"; 1 1, commitment number), 13 ("1"; 1 1 1).
constexpr int kPendingOrder = 1;
constexpr int kMixedOrder = 2;
constexpr int kLiquidatedOrder = 7;
constexpr int kDeliveredOrder = 10;
constexpr int kReliquidatedOrder = 22;
constexpr int kCommittedOrder = 12;
constexpr int kRegroupedOrder = 13;

int CountOf(const std::map<std::string, std::string>& marks, const std::string& mark) {
    return static_cast<int>(
        std::count_if(marks.begin(), marks.end(), [&](const auto& m) { return m.second == mark; }));
}

} // namespace

TEST_F(SelectionTest, OrderCheckColumnTogglesWhileOtherColumnsOnlyMoveTheCursor) {
    ASSERT_EQ(OrderMarks()[Order(kPendingOrder)], "N");

    ASSERT_TRUE(ClickOrder(kPendingOrder, 2));
    EXPECT_EQ(OrderMarks()[Order(kPendingOrder)], "N");
    EXPECT_EQ(inContPedidoCh, 0);
    EXPECT_FALSE(screen->sbtConfirmar.Enabled());

    ASSERT_TRUE(ClickOrder(kPendingOrder, 0));
    EXPECT_EQ(OrderMarks()[Order(kPendingOrder)], "S");
    EXPECT_EQ(inContPedidoCh, 1);
    EXPECT_TRUE(screen->sbtConfirmar.Enabled());
    EXPECT_TRUE(screen->tshJustExcl.Enabled());
    EXPECT_FALSE(screen->tshItemPedido.Enabled()) << "orders checked lock the items page";
    EXPECT_FALSE(screen->sbtFiltro.Enabled());

    ASSERT_TRUE(ClickOrder(kPendingOrder, 0));
    EXPECT_EQ(OrderMarks()[Order(kPendingOrder)], "N");
    EXPECT_EQ(inContPedidoCh, 0);
    EXPECT_FALSE(screen->sbtConfirmar.Enabled());
    EXPECT_TRUE(screen->tshItemPedido.Enabled());
}

TEST_F(SelectionTest, DisabledOrderRowsIgnoreClicksAndTheSpaceBar) {
    ASSERT_EQ(OrderMarks()[Order(kLiquidatedOrder)], "") << "the load check disables a liquidated order";

    ASSERT_TRUE(ClickOrder(kLiquidatedOrder));
    ASSERT_TRUE(user.PressKey(screen->dbgPadrao, ui::Key::Space));

    EXPECT_EQ(OrderMarks()[Order(kLiquidatedOrder)], "");
    EXPECT_EQ(inContPedidoCh, 0);
    EXPECT_TRUE(platform.Errors().empty());
}

TEST_F(SelectionTest, SpaceTogglesTheCurrentOrderWhicheverColumnHasTheFocus) {
    ASSERT_TRUE(ClickOrder(kPendingOrder, 3));

    ASSERT_TRUE(user.PressKey(screen->dbgPadrao, ui::Key::Space));
    EXPECT_EQ(OrderMarks()[Order(kPendingOrder)], "S");
    EXPECT_EQ(inContPedidoCh, 1);
    EXPECT_FALSE(boTeclado) << "the keyboard flag lasts only while the key is handled";

    ASSERT_TRUE(user.PressKey(screen->dbgPadrao, ui::Key::Space, ui::ShiftState::WithShift()));
    EXPECT_EQ(OrderMarks()[Order(kPendingOrder)], "N") << "Shift is not looked at";
    EXPECT_EQ(inContPedidoCh, 0);
}

TEST_F(SelectionTest, OrdersCheckTitleChecksEverySelectableOrderThenUnchecksThemAll) {
    const auto before = OrderMarks();
    const int selectable = CountOf(before, "N");
    ASSERT_GT(selectable, 1);
    ASSERT_GT(CountOf(before, ""), 0) << "the load check should have disabled some orders";
    ASSERT_TRUE(ClickOrder(kPendingOrder));
    ASSERT_TRUE(user.MoveGridRow(screen->dbgPadrao, 5));
    const std::string current = screen->cdsPedido.FieldByName("NRPEDIDO").AsString();

    // One row already checked and the cursor elsewhere: the title still checks all.
    ASSERT_TRUE(user.ClickTitle(screen->dbgPadrao, 0));
    auto marks = OrderMarks();
    EXPECT_EQ(CountOf(marks, "S"), selectable);
    EXPECT_EQ(CountOf(marks, ""), CountOf(before, ""));
    EXPECT_EQ(inContPedidoCh, selectable);
    EXPECT_EQ(screen->cdsPedido.FieldByName("NRPEDIDO").AsString(), current) << "the pass keeps the cursor";
    EXPECT_FALSE(screen->cdsPedido.ControlsDisabled());

    ASSERT_TRUE(user.PressKey(screen->dbgPadrao, ui::Key::Space, ui::ShiftState::WithCtrl()));
    EXPECT_EQ(OrderMarks(), before) << "with nothing left unchecked Ctrl+space unchecks all";
    EXPECT_EQ(inContPedidoCh, 0);
    EXPECT_FALSE(screen->sbtConfirmar.Enabled());
}

TEST_F(SelectionTest, OrdersTitleOfAnotherColumnChecksNothing) {
    const auto before = OrderMarks();
    ASSERT_TRUE(user.ClickTitle(screen->dbgPadrao, 2));
    EXPECT_EQ(OrderMarks(), before);
    EXPECT_EQ(inContPedidoCh, 0);
}

TEST_F(SelectionTest, OrdersCheckTitleDoesNothingWhenTheLoadCheckCountedEveryRow) {
    const auto before = OrderMarks();
    inContDesabilitadosPed = screen->cdsPedido.RecordCount();

    ASSERT_TRUE(user.ClickTitle(screen->dbgPadrao, 0));

    EXPECT_EQ(OrderMarks(), before);
    EXPECT_EQ(inContPedidoCh, 0);
}

TEST_F(SelectionTest, FirstItemCheckDisablesTheOtherSituationGroupAndTheLastUncheckRestoresAll) {
    // Items 1, 2, 3 of the order become situations "1", "3" and "5".
    Execute("UPDATE ITEMPEDIDO SET IDSITITEMPED = '3' WHERE CDFILIAL = '0001' AND NRPEDIDO = :P AND "
            "NRITEMPED = :I",
            {{"P", Order(kRegroupedOrder)}, {"I", Item(2)}});
    Execute("UPDATE ITEMPEDIDO SET IDSITITEMPED = '5', IDSITANTCANC = '1' WHERE CDFILIAL = '0001' AND "
            "NRPEDIDO = :P AND NRITEMPED = :I",
            {{"P", Order(kRegroupedOrder)}, {"I", Item(3)}});
    ShowItemsOf(kRegroupedOrder);
    struct Case {
        int First;
        std::map<std::string, std::string> Marks;
    };
    const Case cases[] = {
        {1, {{Item(1), "S"}, {Item(2), ""}, {Item(3), ""}}},
        {3, {{Item(1), ""}, {Item(2), "N"}, {Item(3), "S"}}},
        {2, {{Item(1), ""}, {Item(2), "S"}, {Item(3), "N"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("first check on item " + std::to_string(c.First));
        screen->edtCdJust.SetText("0001");
        ASSERT_TRUE(ClickItem(Item(c.First)));
        EXPECT_EQ(ItemMarks(), c.Marks);
        EXPECT_EQ(inContItemPedidoCh, 1);
        EXPECT_EQ(stSituacaoItemPedido, ItemSituations()[Item(c.First)]);
        EXPECT_FALSE(screen->tshPadrao.Enabled()) << "items checked lock the orders page";
        EXPECT_EQ(CurrentItem(), Item(c.First));

        ASSERT_TRUE(ClickItem(Item(c.First)));
        EXPECT_EQ(ItemMarks(),
                  (std::map<std::string, std::string>{{Item(1), "N"}, {Item(2), "N"}, {Item(3), "N"}}));
        EXPECT_EQ(inContItemPedidoCh, 0);
        EXPECT_EQ(screen->edtCdJust.Text(), "") << "ending the item selection clears the justification";
        EXPECT_TRUE(screen->tshPadrao.Enabled());
    }
}

TEST_F(SelectionTest, LaterItemChecksKeepTheGroupsAndTakeTheModeOfTheLastRow) {
    ShowItemsOf(kPendingOrder);
    ASSERT_TRUE(ClickItem(Item(1)));
    ASSERT_TRUE(user.PressKey(screen->dbgItemPedido, ui::Key::Down));
    ASSERT_TRUE(user.PressKey(screen->dbgItemPedido, ui::Key::Space));

    EXPECT_EQ(ItemMarks(),
              (std::map<std::string, std::string>{{Item(1), "S"}, {Item(2), "S"}, {Item(3), "N"}}));
    EXPECT_EQ(inContItemPedidoCh, 2);

    ASSERT_TRUE(ClickItem(Item(1)));
    EXPECT_EQ(inContItemPedidoCh, 1);
    EXPECT_EQ(ItemMarks()[Item(2)], "S") << "only the last uncheck ends the selection";
}

TEST_F(SelectionTest, LiquidatedAndDeliveredItemsAreNeverChecked) {
    // The demo has no item in situation "6"; this order gets one.
    Execute("UPDATE ITEMPEDIDO SET IDSITITEMPED = '6' WHERE CDFILIAL = '0001' AND NRPEDIDO = :P AND "
            "NRITEMPED = :I",
            {{"P", Order(kReliquidatedOrder)}, {"I", Item(1)}});
    for (int order : {kLiquidatedOrder, kDeliveredOrder, kReliquidatedOrder}) {
        SCOPED_TRACE("order " + std::to_string(order));
        ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshPadrao));
        ShowItemsOf(order);
        const auto before = ItemMarks();
        ASSERT_TRUE(ClickItem(Item(1)));
        ASSERT_TRUE(user.PressKey(screen->dbgItemPedido, ui::Key::Space));
        ASSERT_TRUE(user.ClickTitle(screen->dbgItemPedido, 0));
        EXPECT_EQ(ItemMarks(), before);
        EXPECT_EQ(inContItemPedidoCh, 0);
        EXPECT_EQ(platform.PendingAnswers(), 0u);
    }
}

TEST_F(SelectionTest, CommitmentNumberKeepsItemsFromClickAndTitleWhenTheBranchControlsCommitments) {
    struct Case {
        int Order;
        bool Refused;
    };
    for (const Case c : {Case{kCommittedOrder, true}, Case{kPendingOrder, false}}) {
        SCOPED_TRACE("order " + std::to_string(c.Order));
        ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshPadrao));
        ShowItemsOf(c.Order);
        ASSERT_EQ(screen->cdsPedido.FieldByName("NREMPENHO").AsString().empty(), !c.Refused);

        ASSERT_TRUE(ClickItem(Item(1)));
        EXPECT_EQ(ItemMarks()[Item(1)], c.Refused ? "N" : "S");
        ASSERT_TRUE(user.ClickTitle(screen->dbgItemPedido, 0));
        EXPECT_EQ(CountOf(ItemMarks(), "S"), c.Refused ? 0 : screen->cdsItemPedido.RecordCount());
        EXPECT_EQ(inContItemPedidoCh, c.Refused ? 0 : screen->cdsItemPedido.RecordCount());
        // Leave no selection for the next case.
        if (!c.Refused) {
            ASSERT_TRUE(user.ClickTitle(screen->dbgItemPedido, 0));
        }
    }
}

TEST_F(SelectionTest, ItemsTitleWithOneGroupChecksThemAllThenUnchecksThemAll) {
    ShowItemsOf(kPendingOrder);
    ASSERT_TRUE(user.MoveGridRow(screen->dbgItemPedido, 1));

    ASSERT_TRUE(user.PressKey(screen->dbgItemPedido, ui::Key::Space, ui::ShiftState::WithCtrl()));
    EXPECT_EQ(CountOf(ItemMarks(), "S"), 3);
    EXPECT_EQ(inContItemPedidoCh, 3);
    EXPECT_EQ(stSituacaoItemPedido, "1");
    EXPECT_EQ(CurrentItem(), Item(2));
    EXPECT_TRUE(platform.TextsOf(ui::HeadlessPlatform::EventKind::Popup).empty());

    ASSERT_TRUE(user.ClickTitle(screen->dbgItemPedido, 0));
    EXPECT_EQ(CountOf(ItemMarks(), "N"), 3);
    EXPECT_EQ(inContItemPedidoCh, 0);
}

TEST_F(SelectionTest, ItemsTitleOverCancelledAndPendingItemsAsksForTheModeByThePopup) {
    ShowItemsOf(kMixedOrder);
    ASSERT_EQ(ItemSituations(), (std::map<std::string, std::string>{{Item(1), "1"}, {Item(2), "5"}}));
    struct Case {
        const char* Choice;
        std::map<std::string, std::string> Marks;
        const char* Mode;
    };
    const Case cases[] = {
        {nullptr, {{Item(1), "N"}, {Item(2), "N"}}, ""},
        {"mnuCanc", {{Item(1), "S"}, {Item(2), ""}}, "1"},
        {"mnuExclCanc", {{Item(1), ""}, {Item(2), "S"}}, "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Choice ? c.Choice : "nothing chosen");
        stSituacaoItemPedido = "";
        platform.ClearEvents();
        if (c.Choice)
            platform.ChoosePopupItem(c.Choice);
        else
            platform.ChooseNothing();

        ASSERT_TRUE(user.ClickTitle(screen->dbgItemPedido, 0));

        EXPECT_EQ(platform.TextsOf(ui::HeadlessPlatform::EventKind::Popup),
                  std::vector<std::string>{"ppmItemPedido"});
        EXPECT_EQ(ItemMarks(), c.Marks);
        EXPECT_EQ(inContItemPedidoCh, c.Choice ? 1 : 0);
        EXPECT_EQ(stSituacaoItemPedido, c.Mode);
        EXPECT_EQ(screen->sbtConfirmar.Enabled(), c.Choice != nullptr);
        // The title unchecks everything again (a selection exists, so no popup).
        if (c.Choice) {
            ASSERT_TRUE(user.ClickTitle(screen->dbgItemPedido, 0));
        }
        ASSERT_EQ(inContItemPedidoCh, 0);
    }
}

TEST_F(SelectionTest, TodosMesmaSitItemPedLooksOnlyAtUncheckedRows) {
    ShowItemsOf(kMixedOrder);
    EXPECT_FALSE(screen->TodosMesmaSitItemPed());
    ASSERT_TRUE(ClickItem(Item(2)));
    EXPECT_TRUE(screen->TodosMesmaSitItemPed()) << "the pending item is disabled, the cancelled one checked";
    EXPECT_EQ(CurrentItem(), Item(2));
}
