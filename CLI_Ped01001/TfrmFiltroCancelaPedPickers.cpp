// The "Lista" pickers of the filter dialog: order numbers from the application server; sellers,
// clients and products from the shared database. Each writes the marked keys into its group's
// working list.
#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "Consiste.h"
#include "Lib00210.h"
#include "Mask.h"
#include "Morvale.h"
#include "Pesqlista.h"
#include "Qrddlgs.h"
#include "RdmCancelaPedido.h"
#include "Showavi.h"
#include "data/ScopedDetach.h"
#include "ui/Application.h"
#include "ui/Keys.h"

namespace {

TfrmCancelaPed& Screen() {
    if (!frmCancelaPed)
        throw std::logic_error("The filter dialog's pickers need the order-cancellation screen");
    return *frmCancelaPed;
}

ui::Form* MainForm() {
    return ui::Application::Instance().MainForm();
}

} // namespace

void TfrmFiltroCancelaPed::sbtNrPedidoClick(ui::Control&) {
    const std::string branch = Screen().medCdFilial.Text();
    if (STCDFILIAL != branch)
        CarregaNrPedido(branch);
    Pesqlista::PesquisaLista(dtsNrPedido, "NRPEDIDO", msgPadrao.Msg("PEDIDO"), false, stNrPedido);
}

void TfrmFiltroCancelaPed::CarregaNrPedido(const std::string& branch) {
    // The list window's closing activates the dialog again; that must not restore its controls.
    data::ScopedDetach activation(OnActivate);
    try {
        Showavi::Guard busy(MainForm(), Showavi::Fetching);
        TfrmCancelaPed& screen = Screen();
        RdmCancelaPedido rdm(screen.netCancelaPed);
        const std::string sellerCode = OperatorSeller();
        const std::string exibicao = screen.cdsParamPedido.FieldByName("IDEXIBPEDIDO").AsString();
        if (exibicao == "2") {
            CarregaPacoteNrPedido(rdm.GetNrPedido(branch, sellerCode, ""));
        } else if (exibicao == "1") {
            CarregaOperTPed(screen, rdm);
            if (screen.cdsOperTPed.IsEmpty())
                CarregaPacoteNrPedido(rdm.GetNrPedido(branch, sellerCode, ""));
            else
                CarregaPacoteNrPedido(rdm.GetNrPedido(branch, "", "T"));
        } else {
            // Without a rule for this branch no order may be offered, least of all the orders
            // of the branch the list was loaded for before.
            cdsNrPedido.Close();
        }
        busy.Stop();
        if (cdsNrPedido.IsEmpty())
            Consiste::MensErro(msgPadrao.Msg("N_PED_CAD"), true);
        STCDFILIAL = branch;
    } catch (...) {
        STCDFILIAL.clear();
        throw;
    }
}

void TfrmFiltroCancelaPed::CarregaOperTPed(TfrmCancelaPed& screen, RdmCancelaPedido& rdm) {
    Showavi::Guard busy(MainForm(), Showavi::Fetching);
    const RemoteResult result = rdm.getOperTPed(Morvale::FiliProc(), Morvale::Operador());
    screen.cdsOperTPed.LoadFromPacket(Consiste::CheckResultServ(result, true, 0));
}

void TfrmFiltroCancelaPed::CarregaPacoteNrPedido(const RemoteResult& result) {
    cdsNrPedido.LoadFromPacket(Consiste::CheckResultServ(result, true, 0));
}

void TfrmFiltroCancelaPed::sbtVendedorClick(ui::Control&) {
    if (!qryVendedor.GetActive())
        qryVendedor.Open();
    if (qryVendedor.IsEmpty())
        ErroComFoco("VEND", rbtLVendedor);
    Pesqlista::PesquisaLista(dtsVendedor, "CDVENDEDOR", msgPadrao.Msg("VENDEDOR"), false, stVendedor);
}

void TfrmFiltroCancelaPed::sbtClienteClick(ui::Control&) {
    qryCliente.Close();
    qryCliente.Open();
    if (qryCliente.IsEmpty())
        ErroComFoco("CLIE", rbtLCliente);
    Pesqlista::PesquisaLista(dtsCliente, "CDCLIENTE", msgPadrao.Msg("CLIENTE"), false, stCliente);
}

void TfrmFiltroCancelaPed::sbtProdutoClick(ui::Control&) {
    const bool todos = rbtTNrPedido.Checked();
    const bool lista = rbtLNrPedido.Checked();
    const bool intervalo = rbtIntervalo.Checked();
    const std::string branchText =
        Lib00210::SQL_Pesquisa_Produto(Screen().medCdFilial.Text(), "", qryProduto, true);
    qryProduto.Close();
    const std::string title = msgPadrao.Msg("PRODUTO") + "|" + branchText;
    Pesqlista::PesquisaLista(dtsProduto, "CDPRODUTO", title, false, stProduto);
    rbtTNrPedido.SetChecked(todos);
    rbtLNrPedido.SetChecked(lista);
    rbtIntervalo.SetChecked(intervalo);
}

void TfrmFiltroCancelaPed::ErroComFoco(const std::string& key, ui::Control& control) {
    try {
        Consiste::MensErro(msgPadrao.Msg(key), true);
    } catch (...) {
        control.SetFocus();
        throw;
    }
}

void TfrmFiltroCancelaPed::rbtLNrPedidoKeyDown(ui::Control&, int& key, ui::ShiftState) {
    if (key == ui::Key::F9)
        sbtNrPedidoClick(sbtNrPedido);
}

void TfrmFiltroCancelaPed::rbtLClienteKeyDown(ui::Control&, int& key, ui::ShiftState) {
    if (key == ui::Key::F9)
        sbtClienteClick(sbtCliente);
}

void TfrmFiltroCancelaPed::rbtLProdutoKeyDown(ui::Control&, int& key, ui::ShiftState) {
    if (key == ui::Key::F9)
        sbtProdutoClick(sbtProduto);
}

void TfrmFiltroCancelaPed::rbtLVendedorKeyDown(ui::Control&, int& key, ui::ShiftState) {
    if (key == ui::Key::F9)
        sbtVendedorClick(sbtVendedor);
}

void TfrmFiltroCancelaPed::qryClienteNRINSJURCLIEGetText(data::Field& sender, std::string& text, bool) {
    const std::string mask = Consiste::PictPess(qryCliente.FieldByName("IDTPIJURCLIE").AsString());
    text = Mask::FormatMaskText(mask, sender.AsString());
}

void TfrmFiltroCancelaPed::qryProdutoCDARVPRODGetText(data::Field& sender, std::string& text, bool) {
    text = TfrmCancelaPed::FormataArvProd(sender.AsString());
}

void TfrmFiltroCancelaPed::qryProdutoBeforeOpen(data::DataSet&) {
    if (Qrddlgs::ExistParam(qryProduto, "P_CDNVPRODUTO"))
        qryProduto.ParamByName("P_CDNVPRODUTO").SetAsInteger(Morvale::DBPictObj(0).GetTtNiveis());
}
