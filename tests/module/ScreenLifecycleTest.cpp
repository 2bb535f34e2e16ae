#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "PKG_PED01000/PKG_PED01000.h"
#include "ScreenFixture.h"

#include <algorithm>

namespace {

template <class T> int CountForms(const ui::Application& app) {
    const auto& forms = app.Forms();
    return static_cast<int>(
        std::count_if(forms.begin(), forms.end(), [](ui::Form* form) { return dynamic_cast<T*>(form); }));
}

} // namespace

TEST_F(ScreenTest, CreationConnectsAndResetsTheFilterRecord) {
    Filtro.boAlta = false;
    Filtro.Vendedor = {false, "0001"};
    Filtro.dtDeEmissao = 45000;
    TfrmCancelaPed& screen = OpenScreen();

    EXPECT_TRUE(boIdCriado);
    EXPECT_TRUE(boPrimVezFiltro);
    EXPECT_TRUE(screen.netCancelaPed.Connected());
    EXPECT_EQ(screen.netCancelaPed.Host(), host.ServerHost);
    EXPECT_EQ(screen.netCancelaPed.Port(), host.ServerPort);
    EXPECT_TRUE(Filtro.boAlta);
    EXPECT_TRUE(Filtro.Vendedor.boTodos);
    EXPECT_EQ(Filtro.Vendedor.stLista, "");
    EXPECT_EQ(Filtro.dtDeEmissao, 0);
    EXPECT_EQ(screen.pgcPadrao.ActivePage(), &screen.tshPadrao);
    EXPECT_TRUE(screen.mnuPedido.Checked());
    EXPECT_FALSE(screen.mnuItemPedido.Checked());
    EXPECT_EQ(screen.FormStyle(), ui::FormStyle::MDIChild);
    EXPECT_EQ(app.Cursor(), ui::Cursor::Default);
}

TEST_F(ScreenTest, SecondIniProcOnlyRestoresAndShowsTheOneScreen) {
    TfrmCancelaPed& screen = OpenScreen();
    screen.SetWindowState(ui::WindowState::Minimized);
    mainForm->BringToFront();
    screen.medCdFilial.SetText("0002");
    const int formsBefore = static_cast<int>(app.Forms().size());

    TfrmCancelaPed& again = OpenScreen();

    EXPECT_EQ(&again, &screen);
    EXPECT_EQ(static_cast<int>(app.Forms().size()), formsBefore);
    EXPECT_EQ(screen.WindowState(), ui::WindowState::Normal);
    EXPECT_EQ(app.ActiveForm(), &screen);
    EXPECT_EQ(screen.medCdFilial.Text(), "0002") << "a later activation must not take the branch again";
}

TEST_F(ScreenTest, CloseReleasesTheDialogDisconnectsAndClearsTheCreatedFlag) {
    TfrmCancelaPed& screen = OpenScreenWithFixedBranch();
    ASSERT_NE(frmFiltroCancelaPed, nullptr);
    ui::CloseAction action = ui::CloseAction::Hide;

    ASSERT_TRUE(app.Dispatch([&] { screen.FormClose(screen, action); }));

    EXPECT_EQ(frmFiltroCancelaPed, nullptr);
    EXPECT_EQ(CountForms<TfrmFiltroCancelaPed>(app), 0);
    EXPECT_FALSE(screen.netCancelaPed.Connected());
    EXPECT_FALSE(boIdCriado);
    EXPECT_EQ(action, ui::CloseAction::Free);
}

TEST_F(ScreenTest, IniProcAfterACloseBuildsANewScreenWithAFreshFilterAndANewDialog) {
    TfrmCancelaPed& first = OpenScreenWithFixedBranch();
    Filtro.boUrgente = false;
    Filtro.NrPedido = {false, true, "", "", "0000000001_0000000002"};
    boPrimVezFiltro = false;
    ASSERT_TRUE(user.CloseForm(first));
    EXPECT_EQ(CountForms<TfrmCancelaPed>(app), 0) << "the closed screen must be freed";
    EXPECT_EQ(CountForms<TfrmFiltroCancelaPed>(app), 0);
    EXPECT_EQ(frmCancelaPed, nullptr);

    TfrmCancelaPed& second = OpenScreenWithFixedBranch();

    EXPECT_EQ(filterDialogsShown, 2);
    EXPECT_EQ(CountForms<TfrmCancelaPed>(app), 1);
    EXPECT_EQ(CountForms<TfrmFiltroCancelaPed>(app), 1);
    EXPECT_TRUE(Filtro.boUrgente);
    EXPECT_FALSE(Filtro.NrPedido.boLista);
    EXPECT_EQ(Filtro.NrPedido.stLista, "");
    EXPECT_TRUE(boIdCriado);
    EXPECT_TRUE(second.netCancelaPed.Connected());
}

TEST_F(ScreenTest, FirstActivationWithAChangeableBranchWaitsInTheBranchCode) {
    TfrmCancelaPed& screen = OpenScreen();

    EXPECT_EQ(screen.medCdFilial.Text(), "0001");
    EXPECT_EQ(screen.edtNmFilial.Text(), "MATRIZ SAO PAULO");
    EXPECT_TRUE(screen.medCdFilial.Focused());
    for (ui::Control* control :
         {static_cast<ui::Control*>(&screen.lblFilial), static_cast<ui::Control*>(&screen.medCdFilial),
          static_cast<ui::Control*>(&screen.btnFilial)}) {
        EXPECT_TRUE(control->Enabled()) << control->Name();
        EXPECT_EQ(control->Tag(), 0) << control->Name();
    }
    EXPECT_FALSE(screen.sbtFiltro.Enabled());
    EXPECT_FALSE(screen.mnuFiltrar.Enabled());
    EXPECT_FALSE(screen.tshItemPedido.Enabled());
    EXPECT_EQ(filterDialogsShown, 0);
    EXPECT_EQ(frmFiltroCancelaPed, nullptr);
    EXPECT_FALSE(screen.cdsParamPedido.Active()) << "the branch parameters wait for the panel's exit";
}

TEST_F(ScreenTest, FirstActivationWithAFixedBranchGoesStraightToTheFilterDialog) {
    struct Case {
        const char* Branch;
        bool ControlsCommitments;
    };
    for (const Case& c : {Case{"0001", true}, Case{"0002", false}}) {
        SCOPED_TRACE(c.Branch);
        filterDialogsShown = 0;
        TfrmCancelaPed& screen = OpenScreenWithFixedBranch(c.Branch);

        EXPECT_EQ(screen.medCdFilial.Text(), c.Branch);
        for (ui::Control* control :
             {static_cast<ui::Control*>(&screen.lblFilial), static_cast<ui::Control*>(&screen.medCdFilial),
              static_cast<ui::Control*>(&screen.btnFilial)}) {
            EXPECT_FALSE(control->Enabled()) << control->Name();
            EXPECT_EQ(control->Tag(), 99) << control->Name();
        }
        EXPECT_EQ(screen.cdsParamPedido.FieldByName("IDUTCTREMPEN").AsString(),
                  c.ControlsCommitments ? "S" : "N");
        EXPECT_EQ(screen.dbgPadrao.Columns().IndexOfField("NREMPENHO"), c.ControlsCommitments ? 6 : -1);
        EXPECT_TRUE(screen.sbtFiltro.Enabled()) << "nothing is checked and the focus is not in the branch";
        EXPECT_TRUE(screen.mnuFiltrar.Enabled());
        EXPECT_FALSE(screen.medCdFilial.Focused());
        ASSERT_TRUE(user.CloseForm(screen));
    }
}

TEST_F(ScreenTest, LaterActivationsOnlyRepaint) {
    TfrmCancelaPed& screen = OpenScreenWithFixedBranch();
    screen.medCdFilial.SetText("0003");
    mainForm->BringToFront();
    const int repaints = platform.RepaintCount();

    ASSERT_TRUE(app.Dispatch([&] { screen.BringToFront(); }));

    EXPECT_EQ(platform.RepaintCount(), repaints + 1);
    EXPECT_EQ(screen.medCdFilial.Text(), "0003");
    EXPECT_EQ(filterDialogsShown, 1) << "the filter dialog opens on the first activation only";
}

TEST_F(ScreenTest, TheFilterMenuOpensTheDialogAndItsCancelClosesIt) {
    TfrmCancelaPed& screen = OpenScreenWithFixedBranch();
    TfrmFiltroCancelaPed* dialog = frmFiltroCancelaPed;
    CancelNextFilterDialog();

    ASSERT_TRUE(user.ClickMenu(screen.mnuFiltrar));

    EXPECT_EQ(filterDialogsShown, 2);
    EXPECT_EQ(frmFiltroCancelaPed, dialog) << "the dialog is created once and only hidden between uses";
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(app.ActiveForm(), &screen);
}
