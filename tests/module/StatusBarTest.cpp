#include "CLI_Ped01000/TextoStatus.h"
#include "SelectionFixture.h"
#include "data/Clock.h"
#include "data/DateTime.h"

TEST(TextoStatus, CountsReadInTheSingularOrThePluralAndTheSummaryNamesWhatIsChecked) {
    EXPECT_EQ(TextoQuantidade(1, "pedido cancelado.", "pedidos cancelados."), "1 pedido cancelado.");
    EXPECT_EQ(TextoQuantidade(2, "pedido cancelado.", "pedidos cancelados."), "2 pedidos cancelados.");
    EXPECT_EQ(TextoQuantidade(0, "item", "itens"), "0 itens");
    struct Case {
        bool loaded;
        int orders, checkedOrders, checkedItems;
        const char* text;
    };
    const Case cases[] = {
        {false, 0, 0, 0, ""},
        {true, 0, 0, 0, "Nenhum pedido carregado"},
        {true, 1, 0, 0, "1 pedido carregado"},
        {true, 134, 2, 0, "134 pedidos carregados; 2 pedidos marcados"},
        {true, 134, 1, 0, "134 pedidos carregados; 1 pedido marcado"},
        {true, 134, 0, 3, "134 pedidos carregados; 3 itens marcados"},
        {true, 134, 0, 1, "134 pedidos carregados; 1 item marcado"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextoResumo(c.loaded, c.orders, c.checkedOrders, c.checkedItems), c.text) << c.text;
}

// The screen tells in the status bar how many orders are loaded and checked, why a click on a
// row was refused, and what a command did.
class StatusBarTest : public SelectionTest {
protected:
    void TearDown() override {
        data::Clock::Reset();
        SelectionTest::TearDown();
    }
    std::string Summary() const { return screen->StatusText(ui::StatusPart::Summary); }
    std::string Message() const { return screen->StatusText(ui::StatusPart::Message); }
    std::string Loaded() const {
        return TextoQuantidade(screen->cdsPedido.RecordCount(), "pedido carregado", "pedidos carregados");
    }
};

TEST_F(StatusBarTest, TheSummaryCountsTheLoadedAndTheCheckedOrders) {
    EXPECT_EQ(Summary(), Loaded());
    ASSERT_TRUE(ClickOrder(1));
    ASSERT_TRUE(ClickOrder(13));
    EXPECT_EQ(Summary(), Loaded() + "; 2 pedidos marcados");
    ASSERT_TRUE(ClickOrder(13));
    EXPECT_EQ(Summary(), Loaded() + "; 1 pedido marcado");
    EXPECT_EQ(Message(), "");
}

// Order 4 is being edited by SUPERV and cannot be selected, order 2 cannot be selected either;
// a click that checks a row clears the refusal.
TEST_F(StatusBarTest, ARefusedClickOnAnOrderSaysWhyAndAnAcceptedOneClearsIt) {
    data::Clock::SetSource([] { return data::EncodeDate(2024, 5, 15) + 0.5; });
    ASSERT_EQ(OrderMarks().at(Order(4)), "");
    ASSERT_EQ(OrderMarks().at(Order(2)), "");
    ASSERT_TRUE(ClickOrder(4));
    EXPECT_EQ(Message(), "Pedido em edição por SUPERV - SUPERVISOR DE VENDAS desde 08:00");
    ASSERT_TRUE(ClickOrder(2));
    EXPECT_EQ(Message(), "Pedido não pode ser selecionado");
    ASSERT_TRUE(ClickOrder(2, 2));
    EXPECT_EQ(Message(), "Pedido não pode ser selecionado") << "a click off the check column does nothing";
    ASSERT_TRUE(ClickOrder(1));
    EXPECT_EQ(Message(), "");
    EXPECT_EQ(Summary(), Loaded() + "; 1 pedido marcado");
}

TEST_F(StatusBarTest, ARefusedClickOnAnItemSaysItCannotBeSelected) {
    ShowItemsOf(25);
    ASSERT_TRUE(ClickItem(Item(1)));
    EXPECT_EQ(Message(), "");
    EXPECT_EQ(Summary(), Loaded() + "; 1 item marcado");
    Execute("UPDATE ITEMPEDIDO SET IDSITITEMPED = '4' WHERE CDFILIAL = '0001' AND NRPEDIDO = :P AND "
            "NRITEMPED = :I",
            {{"P", Order(25)}, {"I", Item(2)}});
    ASSERT_TRUE(ClickItem(Item(1)));
    ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshPadrao));
    ShowItemsOf(25);
    ASSERT_TRUE(ClickItem(Item(2)));
    EXPECT_EQ(Message(), "Item não pode ser selecionado");
}

TEST_F(StatusBarTest, AfterTheCommandTheMessageSaysWhatWasDone) {
    ASSERT_TRUE(ClickOrder(1));
    ASSERT_TRUE(ClickOrder(13));
    ASSERT_TRUE(user.ClickMenu(screen->mnuJustExcl));
    ASSERT_TRUE(user.Type(screen->edtCdJust, "1"));
    platform.AnswerYes();
    ASSERT_TRUE(user.Click(screen->sbtConfirmar)) << testing::PrintToString(platform.Errors());
    EXPECT_TRUE(platform.Errors().empty()) << testing::PrintToString(platform.Errors());
    EXPECT_EQ(Message(), "2 pedidos cancelados.");
    EXPECT_EQ(Summary(), Loaded()) << "the reload ended the selection";
}
