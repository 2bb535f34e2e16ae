#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "ScreenFixture.h"
#include "ui/CheckBox.h"
#include "ui/RadioButton.h"

#include <optional>

namespace {

struct ControlState {
    const char* Name;
    bool Enabled;
    std::optional<bool> Checked;
};

std::optional<bool> CheckedOf(const ui::Component& component) {
    if (auto* box = dynamic_cast<const ui::CheckBox*>(&component))
        return box->Checked();
    if (auto* radio = dynamic_cast<const ui::RadioButton*>(&component))
        return radio->Checked();
    return std::nullopt;
}

} // namespace

TEST_F(ScreenTest, FilterDialogComesUpWithItsDesignedControls) {
    STCDFILIAL = "0009";
    stParamPedido = "kept from an earlier dialog";
    OpenScreenWithFixedBranch();
    ASSERT_NE(frmFiltroCancelaPed, nullptr);
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;

    EXPECT_EQ(dialog.Caption(), "Filtro de Cancelamento");
    EXPECT_EQ(dialog.lblCodTela.Caption(), "PED01001");
    EXPECT_EQ(dialog.HelpFile(), "pedhelp.hlp");
    EXPECT_EQ(dialog.HelpContext(), 12201001);
    EXPECT_EQ(STCDFILIAL, "") << "creating the dialog forgets the branch of the order-number list";
    EXPECT_EQ(stParamPedido, "");
    EXPECT_EQ(dialog.medDeIntervalo.EditMask(), "9999999999;0; ");
    EXPECT_EQ(dialog.depDeEntrega.Text(), "");
    EXPECT_EQ(dialog.depAteEntrega.GetDate(), 0);
    EXPECT_EQ(dialog.sbtLimpa.Hint(), "Desfazer");

    const ControlState states[] = {
        {"rbtTNrPedido", true, true},    {"rbtIntervalo", true, false},  {"rbtLNrPedido", true, false},
        {"lblDeNrPedido", false, {}},    {"medDeIntervalo", false, {}},  {"medAteIntervalo", false, {}},
        {"sbtNrPedido", false, {}},      {"chbPPendente", true, true},   {"chbPAndamento", true, true},
        {"chbPLiquidado", false, false}, {"chbPCancelado", true, true},  {"chbPParcialmente", true, true},
        {"chbIPendente", true, true},    {"chbIConfirmado", true, true}, {"chbIAprovado", true, true},
        {"chbILiquidado", true, true},   {"chbICancelado", true, true},  {"chbIParcialmente", true, true},
        {"rbtTCliente", true, true},     {"rbtLCliente", true, false},   {"sbtCliente", false, {}},
        {"rbtTProduto", true, true},     {"rbtLProduto", true, false},   {"sbtProduto", false, {}},
        {"rbtTVendedor", true, true},    {"rbtLVendedor", true, false},  {"sbtVendedor", false, {}},
        {"chbNormal", true, true},       {"chbAlta", true, true},        {"chbUrgente", true, true},
    };
    for (const ControlState& expected : states) {
        auto* control = dialog.Find<ui::Control>(expected.Name);
        ASSERT_NE(control, nullptr) << expected.Name;
        EXPECT_EQ(control->Enabled(), expected.Enabled) << expected.Name;
        EXPECT_EQ(CheckedOf(*control), expected.Checked) << expected.Name;
    }
    for (const char* name : {"qryVendLog", "qryVendedor", "qryCliente", "qryProduto", "cdsNrPedido",
                             "dtsVendedor", "dtsCliente", "dtsProduto", "dtsNrPedido", "msgPadrao"})
        EXPECT_NE(dialog.FindComponent(name), nullptr) << name;
    EXPECT_EQ(dialog.msgPadrao.Msg("NRINI>NRFIN"),
              "Número pedido inicial deve ser menor ou igual ao número pedido final.");
}

TEST_F(ScreenTest, FilterDialogShowsItsGroupsInRowOrder) {
    OpenScreenWithFixedBranch();
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    std::vector<std::string> groups;
    for (ui::Control* control : dialog.ControlsInTabOrder())
        if (control->Name().starts_with("grb"))
            groups.push_back(control->Name());
    EXPECT_EQ(groups, (std::vector<std::string>{"grbNrPedido", "grbPedido", "grbItemPedido", "grbCliente",
                                                "grbProduto", "grbVendedor", "grbEmissao", "grbEntrega",
                                                "grbPrioridade"}));
}

TEST_F(ScreenTest, LeavingTheBranchPanelLoadsTheBranchParametersAndOffersTheFilter) {
    host.Branch = "0002";
    TfrmCancelaPed& screen = OpenScreen();
    ASSERT_TRUE(screen.medCdFilial.Focused());
    ASSERT_NE(screen.dbgPadrao.Columns().IndexOfField("NREMPENHO"), -1);
    CancelNextFilterDialog();

    ASSERT_TRUE(user.Focus(screen.dbgPadrao));

    EXPECT_EQ(filterDialogsShown, 1);
    EXPECT_EQ(screen.cdsParamPedido.FieldByName("IDEXIBPEDIDO").AsString(), "2");
    EXPECT_EQ(screen.dbgPadrao.Columns().IndexOfField("NREMPENHO"), -1)
        << "branch 0002 controls no commitments";
    EXPECT_FALSE(screen.cdsPedido.FieldByName("NREMPENHO").Visible());
    EXPECT_TRUE(screen.sbtFiltro.Enabled());
    EXPECT_TRUE(screen.mnuFiltrar.Enabled());
}
