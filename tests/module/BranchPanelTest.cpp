#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "OrderLoadSupport.h"

namespace {

int CommitmentColumns(const TfrmCancelaPed& screen) {
    int count = 0;
    for (int i = 0; i < screen.dbgPadrao.Columns().Count(); ++i)
        count += screen.dbgPadrao.Columns()[i].FieldName() == "NREMPENHO";
    return count;
}

} // namespace

// A changeable branch: the first activation leaves the focus in the branch code.
class BranchPanelTest : public OrderLoadTest {
protected:
    void SetUp() override {
        OrderLoadTest::SetUp();
        screen = &OpenScreen();
        ASSERT_TRUE(screen->medCdFilial.Focused());
    }

    // Types the code and leaves the panel for the orders grid, cancelling the filter dialog.
    bool LeaveWith(const std::string& code) {
        if (!user.Type(screen->medCdFilial, code))
            return false;
        CancelNextFilterDialog();
        return user.Focus(screen->dbgPadrao);
    }

    TfrmCancelaPed* screen = nullptr;
};

TEST_F(BranchPanelTest, LeavingTheCodeAdjustsItAndAcceptsOnlyAKnownBranch) {
    struct Case {
        const char* Typed;
        const char* Shown;
        const char* Name;
        const char* Error;
    };
    const Case cases[] = {
        {"2", "0002", "FILIAL CAMPINAS", nullptr},     {"03", "0003", "FILIAL CURITIBA", nullptr},
        {"", "", "", "Filial deve ser informada."},    {"9", "0009", "", "Filial não cadastrada."},
        {"0001", "0001", "MATRIZ SAO PAULO", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "typed '" << c.Typed << "'");
        if (!screen->medCdFilial.Focused()) {
            ASSERT_TRUE(user.Focus(screen->medCdFilial));
        }
        platform.ClearEvents();
        const int dialogsBefore = filterDialogsShown;
        ASSERT_TRUE(user.Type(screen->medCdFilial, c.Typed));
        if (!c.Error)
            CancelNextFilterDialog();
        user.Focus(screen->dbgPadrao);

        EXPECT_EQ(screen->medCdFilial.Text(), c.Shown);
        EXPECT_EQ(screen->edtNmFilial.Text(), c.Name);
        if (c.Error) {
            EXPECT_EQ(platform.Errors(), std::vector<std::string>{c.Error});
            EXPECT_TRUE(screen->medCdFilial.Focused()) << "the panel is not left";
            EXPECT_EQ(filterDialogsShown, dialogsBefore);
            EXPECT_FALSE(screen->sbtFiltro.Enabled());
        } else {
            EXPECT_TRUE(platform.Errors().empty());
            EXPECT_EQ(filterDialogsShown, dialogsBefore + 1);
            EXPECT_TRUE(screen->sbtFiltro.Enabled());
        }
    }
}

TEST_F(BranchPanelTest, CommitmentColumnFollowsTheBranchAtPositionSixAndIsNeverDoubled) {
    struct Case {
        const char* Branch;
        int Index;
    };
    const Case cases[] = {{"0001", 6}, {"0001", 6}, {"0002", -1}, {"0003", -1}, {"0001", 6}, {"0001", 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "branch " << c.Branch);
        if (!screen->medCdFilial.Focused()) {
            ASSERT_TRUE(user.Focus(screen->medCdFilial));
        }
        ASSERT_TRUE(LeaveWith(c.Branch));
        EXPECT_EQ(screen->dbgPadrao.Columns().IndexOfField("NREMPENHO"), c.Index);
        EXPECT_EQ(CommitmentColumns(*screen), c.Index == -1 ? 0 : 1);
        EXPECT_EQ(screen->cdsPedido.FieldByName("NREMPENHO").Visible(), c.Index != -1);
        if (c.Index != -1) {
            EXPECT_EQ(screen->dbgPadrao.Columns()[c.Index].Width(), 100) << "a column made again is as wide";
        }
    }
}

TEST_F(BranchPanelTest, EnteringThePanelEmptiesBothGridsAndACancelledFilterKeepsThemEmpty) {
    ASSERT_TRUE(LeaveWith("0001"));
    orderload::AskForEverything(*frmFiltroCancelaPed, "0001");
    ASSERT_TRUE(Refresh(*screen));
    ASSERT_TRUE(user.ClickMenu(screen->mnuItemPedido));
    ASSERT_TRUE(user.ClickMenu(screen->mnuPedido));
    ASSERT_FALSE(screen->cdsPedido.IsEmpty());
    ASSERT_FALSE(screen->cdsItemPedido.IsEmpty());

    ASSERT_TRUE(user.Focus(screen->medCdFilial));

    EXPECT_TRUE(screen->cdsPedido.IsEmpty());
    EXPECT_TRUE(screen->cdsItemPedido.IsEmpty());
    EXPECT_FALSE(screen->sbtFiltro.Enabled());
    EXPECT_FALSE(screen->tshItemPedido.Enabled());
    EXPECT_FALSE(screen->sbtConfirmar.Enabled());

    CancelNextFilterDialog();
    ASSERT_TRUE(user.Focus(screen->dbgPadrao));
    EXPECT_TRUE(screen->cdsPedido.IsEmpty());
    EXPECT_TRUE(screen->cdsItemPedido.IsEmpty());
    EXPECT_TRUE(screen->sbtFiltro.Enabled());
}

TEST_F(BranchPanelTest, ChangingTheCodeDropsOnlyTheProductChoicesAndTheName) {
    Filtro.Produto = {false, "000102_000103"};
    Filtro.Vendedor = {false, "0001"};
    Filtro.Cliente = {false, "00000001"};
    Filtro.NrPedido.stLista = "0000000001";

    ASSERT_TRUE(user.Type(screen->medCdFilial, "0002"));

    EXPECT_EQ(Filtro.Produto.stLista, "");
    EXPECT_EQ(Filtro.Vendedor.stLista, "0001");
    EXPECT_EQ(Filtro.Cliente.stLista, "00000001");
    EXPECT_EQ(Filtro.NrPedido.stLista, "0000000001");
    EXPECT_EQ(screen->edtNmFilial.Text(), "");
}

TEST_F(BranchPanelTest, PickingABranchFillsCodeAndName) {
    platform.PickRow("0003");

    ASSERT_TRUE(user.Click(screen->btnFilial));

    EXPECT_EQ(screen->medCdFilial.Text(), "0003");
    EXPECT_EQ(screen->edtNmFilial.Text(), "FILIAL CURITIBA");
    EXPECT_TRUE(screen->medCdFilial.Focused()) << "a tool button takes no focus";
}

// Tab and Enter leave the branch code straight out of the panel (the name beside it is display
// only), which opens the filter dialog as leaving it by mouse does.
TEST_F(BranchPanelTest, TabAndEnterLeaveTheBranchCodeForTheFilterDialog) {
    for (int key : {ui::Key::Tab, ui::Key::Return}) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(screen->medCdFilial.Focused());
        const int dialogsBefore = filterDialogsShown;
        CancelNextFilterDialog();
        ASSERT_TRUE(user.Press(key));
        EXPECT_EQ(filterDialogsShown, dialogsBefore + 1);
        EXPECT_FALSE(screen->edtNmFilial.Focused());
        EXPECT_FALSE(screen->panFilial.ContainsControl(*screen->ActiveControl()));
        ASSERT_TRUE(user.Focus(screen->medCdFilial));
    }
}

// F9 in the justification code runs its search button, whose list fills the code and description.
TEST_F(BranchPanelTest, F9InAnEditRunsTheSearchButtonAssociatedWithIt) {
    const int dialogsBefore = filterDialogsShown;
    platform.PickRow("0002");
    ASSERT_TRUE(user.Press(ui::Key::F9));
    EXPECT_EQ(platform.Events().back().Text, "Filial");
    EXPECT_EQ(screen->medCdFilial.Text(), "0002");
    EXPECT_EQ(filterDialogsShown, dialogsBefore) << "the focus stayed in the code";
    platform.ClearEvents();
    ASSERT_TRUE(user.Press(ui::Key::F9, ui::ShiftState::WithShift()));
    EXPECT_TRUE(platform.Events().empty()) << "only F9 alone searches";
}
