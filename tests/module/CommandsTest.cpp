#include "Morvale.h"
#include "SelectionFixture.h"

namespace {

// Demo orders of branch 0001 used here, each by one test only, since the suite shares its
// database: 1, 13, 25 ("1"; items 1 1 1), 2 ("1"; items 1 5), 11 ("1"; item 1),
// 16 ("2"; items 2 3, commitment number), 23 ("1"; item 1), 37, 49 ("1"; items 1 1 1),
// 44 ("4", commitment number).
constexpr const char* kOperBloq = "Operação bloqueada. Pedido em alteração por outro usuário.";

// The host's print call, recorded.
class PrintingHost : public TestHostValues {
public:
    void LoadBPL(const std::string& code, const std::string& parameter) override {
        Loaded.push_back(code + " " + parameter);
    }
    std::vector<std::string> Loaded;
};

} // namespace

class CommandsTest : public SelectionTest {
protected:
    std::string OrderSituation(int order) {
        return QueryText("SELECT IDSITPEDIDO FROM PEDIDO WHERE CDFILIAL = '0001' AND NRPEDIDO = :P",
                         {{"P", Order(order)}});
    }
    std::string ItemSituation(int order, int item) {
        return QueryText("SELECT IDSITITEMPED FROM ITEMPEDIDO WHERE CDFILIAL = '0001' AND NRPEDIDO = :P AND "
                         "NRITEMPED = :I",
                         {{"P", Order(order)}, {"I", Item(item)}});
    }
    std::string LastJustification(int order) {
        return QueryText("SELECT CDJUSTEXCHIS FROM HISTCANCPED WHERE CDFILIAL = '0001' AND NRPEDIDO = :P "
                         "ORDER BY IDHIST DESC",
                         {{"P", Order(order)}});
    }
    void LockByAnotherOperator(int order) {
        Execute(
            "UPDATE PEDIDO SET CDOPERALTE = 'SUPERV', DTOPERALTE = '2024-05-15 08:00:00' WHERE CDFILIAL = "
            "'0001' AND NRPEDIDO = :P",
            {{"P", Order(order)}});
    }
    void TypeJustification(const std::string& code) {
        ASSERT_TRUE(user.ClickMenu(screen->mnuJustExcl));
        ASSERT_TRUE(user.Type(screen->edtCdJust, code));
    }
};

TEST_F(CommandsTest, ConfirmFromTheJustificationPageCancelsTheCheckedOrderAndReturnsToOrders) {
    ASSERT_TRUE(ClickOrder(1));
    TypeJustification("1");
    platform.AnswerYes();

    ASSERT_TRUE(user.Click(screen->sbtConfirmar)) << testing::PrintToString(platform.Errors());

    EXPECT_EQ(platform.Questions(), std::vector<std::string>{"Confirma operação?"});
    EXPECT_TRUE(platform.Errors().empty()) << testing::PrintToString(platform.Errors());
    EXPECT_EQ(OrderSituation(1), "4");
    EXPECT_EQ(LastJustification(1), "0001") << "the code is sent in its four-character form";
    EXPECT_EQ(screen->pgcPadrao.ActivePage(), &screen->tshPadrao);
    EXPECT_EQ(inContPedidoCh, 0);
    EXPECT_EQ(screen->edtCdJust.Text(), "");
    EXPECT_EQ(screen->cdsPedido.FieldByName("NRPEDIDO").AsString(), Order(1)) << "the reload keeps the order";
    EXPECT_EQ(screen->cdsPedido.FieldByName("IDSITPEDIDO").AsString(), "4");
    EXPECT_FALSE(screen->sbtConfirmar.Enabled());
    EXPECT_FALSE(platform.IsBusy());
}

TEST_F(CommandsTest, CancellingItemsAsksFirstAndCancelsOnlyTheCheckedItem) {
    ShowItemsOf(13);
    ASSERT_TRUE(ClickItem(Item(2)));
    TypeJustification("0003");
    platform.AnswerYes();

    ASSERT_TRUE(user.Click(screen->sbtConfirmar)) << testing::PrintToString(platform.Errors());

    EXPECT_EQ(platform.Questions(), std::vector<std::string>{"Confirma cancelamento dos itens informados?"});
    EXPECT_EQ(ItemSituation(13, 1), "1");
    EXPECT_EQ(ItemSituation(13, 2), "5");
    EXPECT_EQ(ItemSituation(13, 3), "1");
    EXPECT_EQ(screen->pgcPadrao.ActivePage(), &screen->tshItemPedido);
    EXPECT_TRUE(screen->dbgItemPedido.Focused());
    EXPECT_EQ(inContItemPedidoCh, 0);
    EXPECT_EQ(screen->edtCdJust.Text(), "");
    EXPECT_EQ(ItemSituations()[Item(2)], "5") << "the items shown are those of the database";
}

TEST_F(CommandsTest, UndoModeSendsWithoutAQuestionAndRestoresTheItemsSituation) {
    ShowItemsOf(2);
    ASSERT_TRUE(ClickItem(Item(2)));
    ASSERT_EQ(stSituacaoItemPedido, "5");
    TypeJustification("0002");

    ASSERT_TRUE(user.Click(screen->sbtConfirmar)) << testing::PrintToString(platform.Errors());

    EXPECT_TRUE(platform.Questions().empty());
    EXPECT_EQ(ItemSituation(2, 2), "1");
    EXPECT_EQ(screen->pgcPadrao.ActivePage(), &screen->tshItemPedido) << "back from the justification page";
    EXPECT_EQ(ItemSituations()[Item(2)], "1");
    EXPECT_EQ(inContItemPedidoCh, 0);
}

TEST_F(CommandsTest, AnsweringNoSendsNothingAndKeepsTheSelection) {
    struct Case {
        bool Items;
        const char* Question;
    };
    for (const Case c :
         {Case{false, "Confirma operação?"}, Case{true, "Confirma cancelamento dos itens informados?"}}) {
        SCOPED_TRACE(c.Question);
        platform.ClearEvents();
        if (c.Items) {
            ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshPadrao));
            ShowItemsOf(11);
            ASSERT_TRUE(ClickItem(Item(1)));
        } else {
            ASSERT_TRUE(ClickOrder(11));
        }
        TypeJustification("0004");
        platform.AnswerNo();

        ASSERT_TRUE(user.Click(screen->sbtConfirmar));

        EXPECT_EQ(platform.Questions(), std::vector<std::string>{c.Question});
        EXPECT_EQ(OrderSituation(11), "1");
        EXPECT_EQ(ItemSituation(11, 1), "1");
        EXPECT_EQ(c.Items ? inContItemPedidoCh : inContPedidoCh, 1);
        EXPECT_EQ(c.Items ? ItemMarks()[Item(1)] : OrderMarks()[Order(11)], "S");
        EXPECT_EQ(screen->edtCdJust.Text(), "0004");
        EXPECT_EQ(screen->pgcPadrao.ActivePage(), &screen->tshJustExcl);
        // Abandon the selection for the next case.
        platform.AnswerYes();
        ASSERT_TRUE(user.Click(screen->sbtCancelar));
        ASSERT_EQ(inContPedidoCh + inContItemPedidoCh, 0);
    }
}

TEST_F(CommandsTest, RefusalOfALockedOrderLeavesChecksCountersAndJustificationAsTheyWere) {
    LockByAnotherOperator(25);
    for (const bool items : {false, true}) {
        SCOPED_TRACE(items ? "items" : "orders");
        platform.ClearEvents();
        ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshPadrao));
        if (items) {
            ShowItemsOf(25);
            ASSERT_TRUE(ClickItem(Item(1)));
        } else {
            ASSERT_TRUE(ClickOrder(25));
        }
        TypeJustification("5");
        const auto pageBefore = screen->pgcPadrao.ActivePage();
        platform.AnswerYes();

        ASSERT_TRUE(user.Click(screen->sbtConfirmar));

        EXPECT_EQ(platform.Errors(), std::vector<std::string>{kOperBloq});
        EXPECT_EQ(OrderSituation(25), "1");
        EXPECT_EQ(ItemSituation(25, 1), "1");
        EXPECT_EQ(items ? inContItemPedidoCh : inContPedidoCh, 1);
        EXPECT_EQ(items ? ItemMarks()[Item(1)] : OrderMarks()[Order(25)], "S");
        EXPECT_EQ(screen->edtCdJust.Text(), "0005");
        EXPECT_EQ(screen->pgcPadrao.ActivePage(), pageBefore);
        EXPECT_TRUE(screen->sbtConfirmar.Enabled());
        EXPECT_FALSE(platform.IsBusy());
        EXPECT_FALSE(screen->cdsPedido.ControlsDisabled());
        platform.AnswerYes();
        ASSERT_TRUE(user.Click(screen->sbtCancelar));
    }
}

TEST_F(CommandsTest, ReinstatingAnOrderBeyondItsCommitmentBalanceIsRefusedInTheOperatorsWords) {
    // Order 44 is cancelled and carries commitment 2024NE000105, whose balance is R$ 10,00.
    ASSERT_EQ(OrderMarks()[Order(44)], "N") << "a cancelled order with a commitment is selectable";
    ASSERT_TRUE(ClickOrder(44));
    TypeJustification("0001");
    platform.AnswerYes();

    ASSERT_TRUE(user.Click(screen->sbtConfirmar));

    EXPECT_EQ(platform.Errors(), std::vector<std::string>{
                                     "Operação Bloqueada! Valor do pedido é maior que o saldo do empenho."});
    EXPECT_EQ(OrderSituation(44), "4");
    EXPECT_EQ(inContPedidoCh, 1);
    EXPECT_EQ(OrderMarks()[Order(44)], "S");
}

TEST_F(CommandsTest, JustificationMustBeGivenAndRegisteredBeforeAnythingIsSent) {
    struct Case {
        const char* Typed;
        const char* Message;
        const char* Left;
    };
    const Case cases[] = {
        {"", "Justificativa deve ser informada.", ""},
        {"77", "Justificativa de exclusão do historico não cadastrada.", "0077"},
    };
    ASSERT_TRUE(ClickOrder(37));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Message);
        platform.ClearEvents();
        ASSERT_TRUE(user.ClickMenu(screen->mnuPedido));
        screen->edtCdJust.SetText(c.Typed);

        ASSERT_TRUE(user.Click(screen->sbtConfirmar));

        EXPECT_EQ(platform.Errors(), std::vector<std::string>{c.Message});
        EXPECT_TRUE(platform.Questions().empty());
        EXPECT_EQ(screen->pgcPadrao.ActivePage(), &screen->tshJustExcl);
        EXPECT_TRUE(screen->edtCdJust.Focused());
        EXPECT_EQ(screen->edtCdJust.Text(), c.Left);
        EXPECT_EQ(OrderSituation(37), "1");
        EXPECT_EQ(inContPedidoCh, 1);
    }
}

TEST_F(CommandsTest, LeavingTheJustificationCodeLooksItUp) {
    struct Case {
        const char* Typed;
        const char* Code;
        const char* Description;
        bool Refused;
    };
    const Case cases[] = {
        {"", "", "", false},
        {"3", "0003", "Prazo de entrega não atendido", false},
        {"88", "0088", "", true},
    };
    ASSERT_TRUE(ClickOrder(37));
    ASSERT_TRUE(user.ClickMenu(screen->mnuJustExcl));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("typed '") + c.Typed + "'");
        platform.ClearEvents();
        ASSERT_TRUE(user.Focus(screen->edtCdJust));
        screen->edtCdJust.SetText(c.Typed);

        ASSERT_TRUE(user.Focus(screen->pgcPadrao));

        EXPECT_EQ(screen->edtCdJust.Text(), c.Code);
        EXPECT_EQ(screen->edtDsJust.Text(), c.Description);
        EXPECT_EQ(screen->edtCdJust.Focused(), c.Refused);
        EXPECT_EQ(platform.Errors().size(), c.Refused ? 1u : 0u);
    }
}

TEST_F(CommandsTest, SearchButtonFillsCodeAndDescriptionAndTypingClearsTheDescription) {
    ASSERT_TRUE(ClickOrder(37));
    ASSERT_TRUE(user.ClickMenu(screen->mnuJustExcl));
    platform.PickRow("0004");

    ASSERT_TRUE(user.Click(screen->btnJust));

    EXPECT_EQ(screen->edtCdJust.Text(), "0004");
    EXPECT_EQ(screen->edtDsJust.Text(), "Pedido digitado em duplicidade");
    ASSERT_TRUE(user.Type(screen->edtCdJust, "1"));
    EXPECT_EQ(screen->edtDsJust.Text(), "");
}

TEST_F(CommandsTest, CancelCommandAsksAndReloadsWhateverTheAnswer) {
    for (bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        platform.ClearEvents();
        ASSERT_TRUE(user.ClickMenu(screen->mnuPedido));
        ASSERT_TRUE(ClickOrder(49));
        ASSERT_TRUE(ClickOrder(23));
        TypeJustification("0001");
        yes ? platform.AnswerYes() : platform.AnswerNo();

        ASSERT_TRUE(user.Click(screen->sbtCancelar));

        EXPECT_EQ(platform.Questions(), std::vector<std::string>{"Cancelar operação?"});
        EXPECT_EQ(inContPedidoCh, 0);
        EXPECT_EQ(OrderMarks()[Order(49)], "N");
        EXPECT_EQ(OrderMarks()[Order(23)], "N");
        EXPECT_EQ(screen->cdsPedido.FieldByName("NRPEDIDO").AsString(), Order(23));
        EXPECT_EQ(screen->edtCdJust.Text(), yes ? "" : "0001");
        EXPECT_EQ(screen->pgcPadrao.ActivePage(), yes ? &screen->tshPadrao : &screen->tshJustExcl);
        EXPECT_FALSE(screen->sbtCancelar.Enabled());
        EXPECT_TRUE(screen->sbtFiltro.Enabled());
    }
}

TEST_F(CommandsTest, CancelModeFromThePopupChecksEvenItemsOfAnOrderWithACommitment) {
    Execute("UPDATE ITEMPEDIDO SET IDSITITEMPED = '5', IDSITANTCANC = '3' WHERE CDFILIAL = '0001' AND "
            "NRPEDIDO = :P AND NRITEMPED = :I",
            {{"P", Order(16)}, {"I", Item(2)}});
    ShowItemsOf(16);
    ASSERT_FALSE(screen->cdsPedido.FieldByName("NREMPENHO").AsString().empty());
    platform.ChoosePopupItem("mnuCanc");

    ASSERT_TRUE(user.ClickTitle(screen->dbgItemPedido, 0));

    EXPECT_EQ(ItemMarks(), (std::map<std::string, std::string>{{Item(1), "S"}, {Item(2), ""}}));
    EXPECT_EQ(inContItemPedidoCh, 1);
    EXPECT_EQ(stSituacaoItemPedido, "1");
    EXPECT_FALSE(screen->cdsItemPedido.ControlsDisabled());
    EXPECT_TRUE(screen->sbtConfirmar.Enabled());
}

TEST_F(CommandsTest, ConfirmWithNothingCheckedOnThePageNamesWhatIsMissing) {
    ASSERT_FALSE(app.Dispatch([&] { screen->sbtConfirmarClick(screen->sbtConfirmar); }));
    EXPECT_EQ(platform.Errors(), std::vector<std::string>{"Pedidos devem ser informados."});
    EXPECT_TRUE(screen->dbgPadrao.Focused());
}

TEST_F(CommandsTest, PrintOpensTheOrderReportScreenWithItsParameter) {
    PrintingHost printing;
    Morvale::InstallHostValues(&printing);

    const bool clicked = user.Click(screen->sbtImprimir);

    Morvale::InstallHostValues(&host);
    ASSERT_TRUE(clicked);
    EXPECT_EQ(printing.Loaded, std::vector<std::string>{"PED01100 M"});
}
