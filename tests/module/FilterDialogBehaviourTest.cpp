#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "FilterDialogFixture.h"
#include "ui/Application.h"

namespace {

std::vector<std::string> CheckedBoxes(TfrmFiltroCancelaPed& dialog) {
    std::vector<std::string> names;
    for (ui::CheckBox* box :
         {&dialog.chbNormal, &dialog.chbAlta, &dialog.chbUrgente, &dialog.chbPPendente, &dialog.chbPAndamento,
          &dialog.chbPLiquidado, &dialog.chbPCancelado, &dialog.chbPParcialmente, &dialog.chbIPendente,
          &dialog.chbIConfirmado, &dialog.chbIAprovado, &dialog.chbILiquidado, &dialog.chbICancelado,
          &dialog.chbIParcialmente})
        if (box->Checked())
            names.push_back(box->Name());
    return names;
}

const std::vector<std::string> everyEnabledBox = {
    "chbNormal",     "chbAlta",          "chbUrgente",      "chbPPendente",   "chbPAndamento",
    "chbPCancelado", "chbPParcialmente", "chbIPendente",    "chbIConfirmado", "chbIAprovado",
    "chbILiquidado", "chbICancelado",    "chbIParcialmente"};

// The state a dialog shows for "everything" (dates aside).
void ExpectEverythingChosen(TfrmFiltroCancelaPed& dialog) {
    EXPECT_TRUE(dialog.rbtTNrPedido.Checked());
    EXPECT_FALSE(dialog.rbtIntervalo.Checked());
    EXPECT_FALSE(dialog.rbtLNrPedido.Checked());
    EXPECT_EQ(dialog.medDeIntervalo.Text(), "");
    EXPECT_EQ(dialog.medAteIntervalo.Text(), "");
    EXPECT_FALSE(dialog.medDeIntervalo.Enabled());
    EXPECT_FALSE(dialog.sbtNrPedido.Enabled());
    EXPECT_EQ(CheckedBoxes(dialog), everyEnabledBox);
    EXPECT_TRUE(dialog.rbtTCliente.Checked());
    EXPECT_TRUE(dialog.rbtTProduto.Checked());
    EXPECT_TRUE(dialog.rbtTVendedor.Checked());
    EXPECT_FALSE(dialog.sbtCliente.Enabled());
    EXPECT_FALSE(dialog.sbtProduto.Enabled());
    EXPECT_FALSE(dialog.sbtVendedor.Enabled());
    EXPECT_EQ(stNrPedido + stCliente + stProduto + stVendedor, "");
}

} // namespace

TEST_F(FilterDialogTest, FirstOpeningOffersTheLastEightDaysAndEverythingElse) {
    Screen();
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    const double today = app.Today();
    EXPECT_EQ(dialog.depDeEmissao.GetDate(), today - 8);
    EXPECT_EQ(dialog.depAteEmissao.GetDate(), today);
    EXPECT_EQ(dialog.depDeEntrega.Text(), "");
    EXPECT_EQ(dialog.depAteEntrega.Text(), "");
    EXPECT_FALSE(boPrimVezFiltro);
    ExpectEverythingChosen(dialog);
    EXPECT_EQ(platform.Errors(), std::vector<std::string>{});
}

TEST_F(FilterDialogTest, LaterOpeningsTakeTheOrderDatesFromTheConfirmedFilter) {
    Screen();
    Filtro.dtDeEmissao = 0;
    Filtro.dtAteEmissao = 0;
    WithDialog([](TfrmFiltroCancelaPed& dialog) {
        EXPECT_EQ(dialog.depDeEmissao.Text(), "") << "a cancelled first opening confirmed no dates";
        EXPECT_EQ(dialog.depAteEmissao.Text(), "");
    });
}

TEST_F(FilterDialogTest, CancelledChangesAreGoneAtTheNextOpening) {
    Screen();
    WithDialog([this](TfrmFiltroCancelaPed& dialog) {
        user.Click(dialog.chbNormal);
        user.Click(dialog.chbPCancelado);
        user.Click(dialog.rbtLCliente);
        user.Click(dialog.rbtIntervalo);
        user.Type(dialog.medDeIntervalo, "5");
        user.Type(dialog.depDeEntrega, "01062024");
        stCliente = "000001";
        user.Click(dialog.sbtCancel);
    });
    WithDialog([](TfrmFiltroCancelaPed& dialog) {
        ExpectEverythingChosen(dialog);
        EXPECT_EQ(dialog.depDeEntrega.Text(), "");
    });
}

TEST_F(FilterDialogTest, AStoredRangeComesBackAsIntervaloWithTheFocusInItsFirstEdit) {
    Screen();
    Filtro.NrPedido.boIntervalo = true;
    Filtro.NrPedido.stDe = "0000000005";
    Filtro.NrPedido.stAte = "0000000012";
    WithDialog([](TfrmFiltroCancelaPed& dialog) {
        EXPECT_TRUE(dialog.rbtIntervalo.Checked());
        EXPECT_FALSE(dialog.rbtTNrPedido.Checked());
        EXPECT_EQ(dialog.medDeIntervalo.Text(), "0000000005");
        EXPECT_EQ(dialog.medAteIntervalo.Text(), "0000000012");
        EXPECT_TRUE(dialog.medDeIntervalo.Enabled());
        EXPECT_TRUE(dialog.lblAteNrPedido.Enabled());
        EXPECT_FALSE(dialog.sbtNrPedido.Enabled());
        EXPECT_EQ(dialog.medDeIntervalo.Color(), ui::clInfoBk);
        EXPECT_EQ(dialog.medAteIntervalo.Color(), ui::clInfoBk);
        EXPECT_TRUE(dialog.medDeIntervalo.Focused());
    });
}

TEST_F(FilterDialogTest, StoredListsComeBackWithTheirPickersEnabled) {
    Screen();
    Filtro.NrPedido.boLista = true;
    Filtro.NrPedido.stLista = "0000000001_0000000003";
    Filtro.Cliente = {false, "000002"};
    Filtro.Produto = {false, "000102_000103"};
    Filtro.Vendedor = {false, "0004"};
    Filtro.boAlta = false;
    Filtro.boIAprovado = false;
    Filtro.dtDeEntrega = Date(2024, 6, 1);
    Filtro.dtAteEntrega = Date(2024, 6, 30);
    WithDialog([](TfrmFiltroCancelaPed& dialog) {
        EXPECT_TRUE(dialog.rbtLNrPedido.Checked());
        EXPECT_TRUE(dialog.sbtNrPedido.Enabled());
        EXPECT_FALSE(dialog.medDeIntervalo.Enabled());
        EXPECT_EQ(stNrPedido, "0000000001_0000000003");
        for (auto [lista, picker] : {std::pair{&dialog.rbtLCliente, &dialog.sbtCliente},
                                     std::pair{&dialog.rbtLProduto, &dialog.sbtProduto},
                                     std::pair{&dialog.rbtLVendedor, &dialog.sbtVendedor}}) {
            EXPECT_TRUE(lista->Checked()) << lista->Name();
            EXPECT_TRUE(picker->Enabled()) << picker->Name();
        }
        EXPECT_EQ(stCliente, "000002");
        EXPECT_EQ(stProduto, "000102_000103");
        EXPECT_EQ(stVendedor, "0004");
        EXPECT_FALSE(dialog.chbAlta.Checked());
        EXPECT_FALSE(dialog.chbIAprovado.Checked());
        EXPECT_EQ(dialog.depDeEntrega.Text(), "01/06/2024");
        EXPECT_EQ(dialog.depAteEntrega.Text(), "30/06/2024");
    });
}

TEST_F(FilterDialogTest, ChoosingTodosOrListaEmptiesTheRangeAndKeepsThatChoice) {
    Screen();
    for (bool lista : {false, true}) {
        WithDialog([&](TfrmFiltroCancelaPed& dialog) {
            user.Click(dialog.rbtIntervalo);
            ASSERT_TRUE(dialog.medDeIntervalo.Focused());
            user.Type(dialog.medDeIntervalo, "5");
            user.Type(dialog.medAteIntervalo, "12");
            ASSERT_EQ(dialog.medDeIntervalo.Text(), "0000000005") << "leaving the edit pads it to 10";
            ui::RadioButton& choice = lista ? dialog.rbtLNrPedido : dialog.rbtTNrPedido;
            user.Click(choice);
            EXPECT_TRUE(choice.Checked()) << choice.Name();
            EXPECT_FALSE(dialog.rbtIntervalo.Checked());
            EXPECT_EQ(dialog.medDeIntervalo.Text(), "");
            EXPECT_EQ(dialog.medAteIntervalo.Text(), "");
            EXPECT_FALSE(dialog.medAteIntervalo.Enabled());
            EXPECT_FALSE(dialog.lblDeNrPedido.Enabled());
            EXPECT_EQ(dialog.medDeIntervalo.Color(), ui::clWindow);
            EXPECT_EQ(dialog.sbtNrPedido.Enabled(), lista);
            EXPECT_TRUE(choice.Focused()) << "the focus stays on the operator's choice";
        });
    }
}

TEST_F(FilterDialogTest, ListaRadioButtonsEnableTheirPickersAndTodosDisablesThem) {
    Screen();
    WithDialog([this](TfrmFiltroCancelaPed& dialog) {
        struct Group {
            ui::RadioButton& Todos;
            ui::RadioButton& Lista;
            ui::SpeedButton& Picker;
        };
        for (const Group& group : {Group{dialog.rbtTCliente, dialog.rbtLCliente, dialog.sbtCliente},
                                   Group{dialog.rbtTProduto, dialog.rbtLProduto, dialog.sbtProduto},
                                   Group{dialog.rbtTVendedor, dialog.rbtLVendedor, dialog.sbtVendedor}}) {
            user.Click(group.Lista);
            EXPECT_TRUE(group.Picker.Enabled()) << group.Lista.Name();
            user.Click(group.Todos);
            EXPECT_FALSE(group.Picker.Enabled()) << group.Todos.Name();
        }
    });
}

TEST_F(FilterDialogTest, CtrlDUndoesEverythingWithoutTouchingTheConfirmedFilter) {
    Screen();
    Filtro.Cliente = {false, "000002"};
    const TFiltro before = Filtro;
    WithDialog([this, &before](TfrmFiltroCancelaPed& dialog) {
        user.Click(dialog.rbtLNrPedido);
        stNrPedido = "0000000001";
        user.Click(dialog.chbUrgente);
        user.Click(dialog.chbIPendente);
        user.Click(dialog.rbtLProduto);
        stProduto = "000102";
        user.Type(dialog.depDeEntrega, "01062024");

        user.PressKey(dialog.chbNormal, 'D');
        EXPECT_TRUE(dialog.rbtLNrPedido.Checked()) << "a plain D undoes nothing";
        EXPECT_EQ(stProduto, "000102");

        user.PressKey(dialog.chbNormal, 'D', ui::ShiftState{true, true, false});
        ExpectEverythingChosen(dialog);
        for (TDateEditPlus* edit :
             {&dialog.depDeEmissao, &dialog.depAteEmissao, &dialog.depDeEntrega, &dialog.depAteEntrega})
            EXPECT_EQ(edit->Text(), "") << edit->Name();
        EXPECT_EQ(Filtro.Cliente.stLista, before.Cliente.stLista);
        EXPECT_EQ(Filtro.Cliente.boTodos, before.Cliente.boTodos);
        EXPECT_EQ(Filtro.dtDeEmissao, before.dtDeEmissao);
    });
}

TEST_F(FilterDialogTest, SavedOptionsBringTheFourListsBack) {
    const std::filesystem::path config = server->Folder() / "config";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    Screen();
    WithDialog([this](TfrmFiltroCancelaPed& dialog) {
        stNrPedido = "0000000001_0000000002";
        stCliente = "000003";
        stProduto = "000102_000205";
        stVendedor = "0001_0003";
        user.Click(dialog.btfSaveOpc);
        EXPECT_EQ(dialog.Options().Entries(),
                  (std::vector<TOptionList::Entry>{{"stNrPedido", "0000000001_0000000002"},
                                                   {"stCliente", "000003"},
                                                   {"stProduto", "000102_000205"},
                                                   {"stVendedor", "0001_0003"}}));
        for (std::string* list : {&stNrPedido, &stCliente, &stProduto, &stVendedor})
            list->clear();
        dialog.Options().Clear();
        user.Click(dialog.btfLoadOpc);
        EXPECT_EQ(stNrPedido, "0000000001_0000000002");
        EXPECT_EQ(stCliente, "000003");
        EXPECT_EQ(stProduto, "000102_000205");
        EXPECT_EQ(stVendedor, "0001_0003");
    });
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform.Errors(), std::vector<std::string>{});
}

// Who sees only his own seller's orders: the branch's parameters say so (branch 0002), or the
// server has no all-sellers right for the operator (VEND01 in branch 0001).
struct SellerCase {
    const char* Branch;
    const char* Operator;
    bool Restricted;
};

class SellerRestrictionTest : public FilterDialogTest, public ::testing::WithParamInterface<SellerCase> {};

TEST_P(SellerRestrictionTest, TheSellerGroupIsDisabledAtEveryOpeningForARestrictedOperator) {
    const SellerCase& c = GetParam();
    LogInAs(c.Operator);
    Screen(c.Branch);
    for (int opening = 0; opening < 2; ++opening) {
        WithDialog([&](TfrmFiltroCancelaPed& dialog) {
            EXPECT_EQ(dialog.grbVendedor.Enabled(), !c.Restricted) << "opening " << opening;
            EXPECT_EQ(dialog.rbtTVendedor.Enabled(), !c.Restricted);
            EXPECT_EQ(dialog.rbtLVendedor.Enabled(), !c.Restricted);
            EXPECT_FALSE(dialog.sbtVendedor.Enabled());
            EXPECT_EQ(dialog.qryVendLog.GetActive(), c.Restricted);
            EXPECT_FALSE(platform.IsBusy());
        });
    }
    EXPECT_EQ(platform.Errors(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Operators, SellerRestrictionTest,
                         ::testing::Values(SellerCase{"0001", "DEMO", false},
                                           SellerCase{"0002", "DEMO", true},
                                           SellerCase{"0001", "VEND01", true}),
                         [](const auto& instance) {
                             return std::string(instance.param.Operator) + "_" + instance.param.Branch;
                         });

// Enter walks the fields like Tab; Ctrl+Enter confirms from any field, as the confirm button does.
TEST_F(FilterDialogTest, EnterWalksTheFieldsAndCtrlEnterConfirms) {
    Screen();
    bool closed = false;
    WithDialog([&](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(user.Focus(dialog.chbPPendente));
        user.Press(ui::Key::Return);
        EXPECT_TRUE(dialog.chbPAndamento.Focused());
        EXPECT_TRUE(dialog.Visible());
        user.Press(ui::Key::Return, ui::ShiftState::WithCtrl());
        closed = dialog.ModalResult() == ui::ModalResult::Ok;
    });
    EXPECT_TRUE(closed);
    EXPECT_GT(screen->cdsPedido.RecordCount(), 0) << "the confirmation loaded the orders";
}
