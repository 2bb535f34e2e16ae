#include "CLI_Ped01000/CheckImages.h"
#include "CLI_Ped01000/Cli_ped01000.h"
#include "ScreenFixture.h"

namespace {

// Marks the current item locally, so that a reload from the server shows as a lost mark.
void MarkCurrentItem(TfrmCancelaPed& screen) {
    screen.cdsItemPedido.Edit();
    screen.cdsItemPedido.FieldByName("IDCHECK").SetAsString("S");
    screen.cdsItemPedido.Post();
}

std::string CurrentItemMark(const TfrmCancelaPed& screen) {
    return screen.cdsItemPedido.FieldByName("IDCHECK").AsString();
}

} // namespace

class ScreenPagesTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        screen = &OpenScreenWithFixedBranch();
        LoadAllOrders(*screen);
    }

    TfrmCancelaPed* screen = nullptr;
};

TEST_F(ScreenPagesTest, ItemsTabLoadsTheItemsOfTheCurrentOrder) {
    screen->cdsPedido.Next();
    const std::string order = screen->cdsPedido.FieldByName("NRPEDIDO").AsString();

    ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshItemPedido));

    ASSERT_FALSE(screen->cdsItemPedido.IsEmpty());
    for (screen->cdsItemPedido.First(); !screen->cdsItemPedido.Eof(); screen->cdsItemPedido.Next())
        EXPECT_EQ(screen->cdsItemPedido.FieldByName("NRPEDIDO").AsString(), order);
    EXPECT_EQ(screen->dtsPadrao.GetDataSet(), &screen->cdsItemPedido);
    EXPECT_TRUE(screen->mnuItemPedido.Checked());
    EXPECT_FALSE(screen->mnuPedido.Checked());
    EXPECT_FALSE(screen->mnuJustExcl.Checked());
}

TEST_F(ScreenPagesTest, ItemsPageReloadsOnEveryEntryWithoutAPendingSelection) {
    ASSERT_TRUE(user.ClickMenu(screen->mnuItemPedido));
    const std::string received = CurrentItemMark(*screen);
    MarkCurrentItem(*screen);
    ASSERT_NE(received, "S") << "the demo data's first item should arrive unchecked";

    ASSERT_TRUE(user.ClickMenu(screen->mnuPedido));
    EXPECT_EQ(screen->dtsPadrao.GetDataSet(), &screen->cdsPedido);
    ASSERT_TRUE(user.ClickMenu(screen->mnuItemPedido));

    EXPECT_EQ(CurrentItemMark(*screen), received);
}

TEST_F(ScreenPagesTest, ItemsPageKeepsItsItemsWhileASelectionIsPending) {
    ASSERT_TRUE(user.ClickMenu(screen->mnuItemPedido));
    MarkCurrentItem(*screen);
    // Checking items is the grid's business; here the counter stands for one checked item.
    inContItemPedidoCh = 1;
    screen->Habilita();
    ASSERT_TRUE(screen->tshJustExcl.Enabled());
    ASSERT_FALSE(screen->tshPadrao.Enabled());

    ASSERT_TRUE(user.ClickMenu(screen->mnuJustExcl));
    EXPECT_TRUE(screen->mnuJustExcl.Checked());
    EXPECT_EQ(screen->dtsPadrao.GetDataSet(), &screen->cdsItemPedido)
        << "the justification page keeps the binding";
    ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshItemPedido));

    EXPECT_EQ(CurrentItemMark(*screen), "S");
    EXPECT_EQ(inContItemPedidoCh, 1);
    EXPECT_TRUE(screen->mnuItemPedido.Checked());
    EXPECT_FALSE(screen->mnuJustExcl.Checked());
}

TEST_F(ScreenPagesTest, OrdersMenuMovesTheFocusToTheOrdersGridEvenWhenAlreadyShown) {
    ASSERT_TRUE(user.Focus(screen->pgcPadrao));
    ASSERT_EQ(screen->pgcPadrao.ActivePage(), &screen->tshPadrao);

    ASSERT_TRUE(user.ClickMenu(screen->mnuPedido));

    EXPECT_TRUE(screen->dbgPadrao.Focused());
    EXPECT_EQ(screen->pgcPadrao.ActivePage(), &screen->tshPadrao);
}

TEST_F(ScreenPagesTest, OtherPageMenusSwitchWithoutMovingTheFocus) {
    ASSERT_TRUE(user.Focus(screen->dbgPadrao));
    ASSERT_TRUE(user.ClickMenu(screen->mnuItemPedido));
    EXPECT_EQ(screen->pgcPadrao.ActivePage(), &screen->tshItemPedido);
    EXPECT_FALSE(screen->dbgItemPedido.Focused());

    ASSERT_TRUE(user.ClickMenu(screen->mnuPedido));
    EXPECT_TRUE(screen->dbgPadrao.Focused());
    EXPECT_TRUE(screen->mnuPedido.Checked());
    EXPECT_FALSE(screen->mnuItemPedido.Checked());
}

TEST_F(ScreenPagesTest, HabilitaFollowsTheCountersAndTheOrders) {
    struct Case {
        int Orders;
        int Items;
        bool Empty;
        bool Confirm, Filter, Verify, OrdersPage, ItemsPage, JustPage;
    };
    const Case cases[] = {
        {0, 0, false, false, true, true, true, true, false},
        {2, 0, false, true, false, false, true, false, true},
        {0, 3, false, true, false, false, false, true, true},
        {0, 0, true, false, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Orders << " orders, " << c.Items << " items, empty " << c.Empty);
        if (c.Empty)
            screen->cdsPedido.Close();
        inContPedidoCh = c.Orders;
        inContItemPedidoCh = c.Items;
        screen->Habilita();
        EXPECT_EQ(screen->sbtConfirmar.Enabled(), c.Confirm);
        EXPECT_EQ(screen->sbtCancelar.Enabled(), c.Confirm);
        EXPECT_EQ(screen->mnuConfirmar.Enabled(), c.Confirm);
        EXPECT_EQ(screen->sbtFiltro.Enabled(), c.Filter);
        EXPECT_EQ(screen->mnuFiltrar.Enabled(), c.Filter);
        EXPECT_EQ(screen->sbtVerificar.Enabled(), c.Verify);
        EXPECT_EQ(screen->sbtProcurar.Enabled(), c.Verify);
        EXPECT_EQ(screen->mnuVerificar.Enabled(), c.Verify);
        EXPECT_EQ(screen->tshPadrao.Enabled(), c.OrdersPage);
        EXPECT_EQ(screen->mnuPedido.Enabled(), c.OrdersPage);
        EXPECT_EQ(screen->tshItemPedido.Enabled(), c.ItemsPage);
        EXPECT_EQ(screen->mnuItemPedido.Enabled(), c.ItemsPage);
        EXPECT_EQ(screen->tshJustExcl.Enabled(), c.JustPage);
        EXPECT_EQ(screen->dbnPadrao.Enabled(), !c.Confirm);
        EXPECT_EQ(screen->edtNmFilial.Enabled(), !c.Confirm);
        EXPECT_FALSE(screen->medCdFilial.Enabled()) << "a fixed branch stays disabled";
    }
}

TEST_F(ScreenTest, HabilitaLocksEverythingThatDependsOnTheBranchWhileItsCodeHasTheFocus) {
    TfrmCancelaPed& screen = OpenScreen();
    ASSERT_TRUE(screen.medCdFilial.Focused());
    inContPedidoCh = 1;

    screen.Habilita();

    EXPECT_FALSE(screen.sbtConfirmar.Enabled());
    EXPECT_FALSE(screen.sbtCancelar.Enabled());
    EXPECT_FALSE(screen.sbtFiltro.Enabled());
    EXPECT_FALSE(screen.tshItemPedido.Enabled());
    EXPECT_FALSE(screen.tshJustExcl.Enabled());
    EXPECT_TRUE(screen.medCdFilial.Enabled());
}

TEST_F(ScreenTest, ScreenDefinitionCarriesItsCaptionsColumnsAndCheckImages) {
    TfrmCancelaPed& screen = OpenScreen();
    EXPECT_EQ(screen.Caption(), "Cancelamento do Pedido");
    EXPECT_EQ(screen.lblCodTela.Caption(), "PED01000");
    EXPECT_EQ(screen.Width(), 752);
    EXPECT_EQ(screen.Height(), 429);
    EXPECT_EQ(screen.HelpFile(), "PEDHelp.hlp");
    EXPECT_EQ(screen.HelpContext(), 12201000);
    EXPECT_EQ(screen.mnuFiltrar.ShortCut().ToText(), "Ctrl+L");
    EXPECT_EQ(screen.msgPadrao.Msg("FILIAL_NAO_CAD"), "Filial não cadastrada.");
    EXPECT_EQ(screen.msgPadrao.Msg("LQ"), "LQ");

    std::vector<std::pair<std::string, int>> orderColumns;
    for (int i = 0; i < screen.dbgPadrao.Columns().Count(); ++i)
        orderColumns.emplace_back(screen.dbgPadrao.Columns()[i].FieldName(),
                                  screen.dbgPadrao.Columns()[i].Width());
    EXPECT_EQ(orderColumns, (std::vector<std::pair<std::string, int>>{{"IDCHECK", 18},
                                                                      {"IDSITPEDIDO", 24},
                                                                      {"NRPEDIDO", 80},
                                                                      {"NMFANTCLIE", 315},
                                                                      {"DTPEDIDO", 80},
                                                                      {"DTENTPED", 85},
                                                                      {"NREMPENHO", 100}}));
    EXPECT_EQ(screen.dbgItemPedido.Columns()[0].Title().Font.Name, "Monotype Sorts");
    EXPECT_EQ(screen.dbgItemPedido.Columns()[7].DisplayTitle(), "Preço Unitário");
    EXPECT_EQ(screen.dbgItemPedido.Columns()[7].Title().Alignment, data::Alignment::Right);

    for (auto [image, kind] :
         {std::pair{&screen.imgCheck, CheckImage::Check}, std::pair{&screen.imgUncheck, CheckImage::Uncheck},
          std::pair{&screen.imgDescheck, CheckImage::Descheck}}) {
        EXPECT_FALSE(image->Visible()) << image->Name();
        EXPECT_EQ(image->Bitmap(), MakeCheckImage(kind)) << image->Name();
    }
}

TEST(CheckImages, FrameInteriorAndTickFollowThePixelLayout) {
    struct Probe {
        int X, Y;
        ui::Color Check, Uncheck, Descheck;
    };
    const ui::Color olive = ui::clOlive, black = ui::clBlack, white = ui::clWhite, silver = ui::clSilver;
    const Probe probes[] = {
        {0, 0, olive, olive, olive},     {2, 2, black, black, black},      {11, 2, black, black, black},
        {12, 2, olive, olive, olive},    {2, 11, black, black, black},     {2, 12, olive, olive, olive},
        {3, 3, white, white, silver},    {11, 11, white, white, silver},   {12, 12, olive, olive, olive},
        {13, 1, silver, silver, silver}, {13, 13, silver, silver, silver}, {1, 13, silver, silver, silver},
        {14, 14, olive, olive, olive},   {10, 4, black, white, silver},    {4, 6, black, white, silver},
        {6, 10, black, white, silver},   {3, 6, white, white, silver},
    };
    const ui::Bitmap check = MakeCheckImage(CheckImage::Check);
    const ui::Bitmap uncheck = MakeCheckImage(CheckImage::Uncheck);
    const ui::Bitmap descheck = MakeCheckImage(CheckImage::Descheck);
    for (const Probe& p : probes) {
        SCOPED_TRACE(testing::Message() << "pixel " << p.X << "," << p.Y);
        EXPECT_EQ(check.Pixel(p.X, p.Y), p.Check);
        EXPECT_EQ(uncheck.Pixel(p.X, p.Y), p.Uncheck);
        EXPECT_EQ(descheck.Pixel(p.X, p.Y), p.Descheck);
    }
    int tickPixels = 0;
    for (int y = 3; y <= 11; ++y)
        for (int x = 3; x <= 11; ++x)
            tickPixels += check.Pixel(x, y) == black;
    EXPECT_EQ(tickPixels, 21);
    EXPECT_EQ(check.Width(), 16);
    EXPECT_EQ(check.Height(), 16);
}
