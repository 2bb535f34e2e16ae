// Opening the filter dialog: the last confirmed filter comes back, the seller restriction is
// applied; also "Desfazer" and the saved options.
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/FilterDialogSupport.h"
#include "Consiste.h"
#include "Morvale.h"
#include "RdmCancelaPedido.h"
#include "Showavi.h"
#include "ui/Application.h"

#include <initializer_list>

namespace {

// The order dates of the very first opening: the last eight days.
constexpr double defaultOrderDays = 8;

void RestoreChoice(ui::RadioButton& todos, ui::RadioButton& lista, ui::SpeedButton& picker, bool boTodos) {
    todos.SetChecked(boTodos);
    if (!todos.Checked()) {
        lista.SetChecked(true);
        picker.SetEnabled(true);
    }
}

} // namespace

void TfrmFiltroCancelaPed::FormActivate(ui::Control&) {
    Repaint();
    ApplySellerRestriction();
    if (boPrimVezFiltro) {
        const double today = ui::Application::Instance().Today();
        depDeEmissao.SetDate(today - defaultOrderDays);
        depAteEmissao.SetDate(today);
        boPrimVezFiltro = false;
    } else {
        depDeEmissao.SetDate(Filtro.dtDeEmissao);
        depAteEmissao.SetDate(Filtro.dtAteEmissao);
    }
    RestoreOrderNumbers();
    RestoreBoxes();
    RestoreLists();
    depDeEntrega.SetDate(Filtro.dtDeEntrega);
    depAteEntrega.SetDate(Filtro.dtAteEntrega);
}

bool TfrmFiltroCancelaPed::RestrictedToOwnSeller() {
    TfrmCancelaPed& screen = OwnerScreen();
    if (screen.cdsParamPedido.FieldByName("IDEXIBPEDIDO").AsString() == "2")
        return true;
    Showavi::Guard busy(ui::Application::Instance().MainForm(), Showavi::Fetching);
    RdmCancelaPedido rdm(screen.netCancelaPed);
    screen.cdsOperTPed.LoadFromPacket(
        Consiste::CheckResultServ(rdm.getOperTPed(Morvale::FiliProc(), Morvale::Operador()), true, 0));
    busy.Stop();
    // No row: the operator sees only his own seller's orders.
    return screen.cdsOperTPed.IsEmpty();
}

std::string TfrmFiltroCancelaPed::OperatorSeller() {
    // The query is opened by the activation that found the restriction; the rights may also have
    // been withdrawn on the server after this opening's activation, so open it here if needed.
    if (!qryVendLog.GetActive()) {
        qryVendLog.ParamByName("P_CDOPERADOR").SetAsString(Morvale::Operador());
        qryVendLog.Open();
    }
    return qryVendLog.IsEmpty() ? std::string() : qryVendLog.FieldByName("CDVENDEDOR").AsString();
}

void TfrmFiltroCancelaPed::ApplySellerRestriction() {
    if (!RestrictedToOwnSeller())
        return;
    grbVendedor.SetEnabled(false);
    Consiste::SetChildEnabled(grbVendedor, false);
    qryVendLog.Close();
    qryVendLog.ParamByName("P_CDOPERADOR").SetAsString(Morvale::Operador());
    qryVendLog.Open();
}

void TfrmFiltroCancelaPed::RestoreOrderNumbers() {
    // A stored range selects "Intervalo" through the edits' change handlers.
    medDeIntervalo.SetText(Filtro.NrPedido.stDe);
    medAteIntervalo.SetText(Filtro.NrPedido.stAte);
    stNrPedido = Filtro.NrPedido.stLista;
    rbtIntervalo.SetChecked(Filtro.NrPedido.boIntervalo);
    rbtLNrPedido.SetChecked(Filtro.NrPedido.boLista);
    if (!Filtro.NrPedido.boIntervalo && !Filtro.NrPedido.boLista)
        rbtTNrPedido.SetChecked(true);
}

void TfrmFiltroCancelaPed::RestoreBoxes() {
    for (const BoxFlag& boxFlag : BoxFlags(*this))
        boxFlag.Box.SetChecked(Filtro.*boxFlag.Flag);
}

void TfrmFiltroCancelaPed::RestoreLists() {
    stProduto = Filtro.Produto.stLista;
    RestoreChoice(rbtTProduto, rbtLProduto, sbtProduto, Filtro.Produto.boTodos);
    stVendedor = Filtro.Vendedor.stLista;
    RestoreChoice(rbtTVendedor, rbtLVendedor, sbtVendedor, Filtro.Vendedor.boTodos);
    stCliente = Filtro.Cliente.stLista;
    RestoreChoice(rbtTCliente, rbtLCliente, sbtCliente, Filtro.Cliente.boTodos);
}

void TfrmFiltroCancelaPed::FormKeyDown(ui::Control& sender, int& key, ui::ShiftState shift) {
    TfrmFiltroPadrao::FormKeyDown(sender, key, shift);
    if (key == 'D' && shift.Ctrl)
        sbtLimpa.Click();
}

void TfrmFiltroCancelaPed::sbtLimpaClick(ui::Control&) {
    for (std::string* list : {&stNrPedido, &stVendedor, &stCliente, &stProduto})
        list->clear();
    rbtIntervalo.SetChecked(false);
    rbtLNrPedido.SetChecked(false);
    ClearInterval();
    for (ui::Control* control : std::initializer_list<ui::Control*>{
             &medDeIntervalo, &medAteIntervalo, &lblDeNrPedido, &lblAteNrPedido, &sbtNrPedido})
        control->SetEnabled(false);
    rbtTNrPedido.SetChecked(true);
    for (const BoxFlag& boxFlag : BoxFlags(*this))
        boxFlag.Box.SetChecked(true);
    rbtTVendedor.SetChecked(true);
    rbtTCliente.SetChecked(true);
    rbtTProduto.SetChecked(true);
    for (TDateEditPlus* edit : {&depDeEmissao, &depAteEmissao, &depDeEntrega, &depAteEntrega})
        edit->Clear();
}

void TfrmFiltroCancelaPed::btfSaveOpcClick(ui::Control& sender) {
    Options().SetValue("stNrPedido", stNrPedido);
    Options().SetValue("stCliente", stCliente);
    Options().SetValue("stProduto", stProduto);
    Options().SetValue("stVendedor", stVendedor);
    TfrmFiltroPadrao::btfSaveOpcClick(sender);
}

void TfrmFiltroCancelaPed::btfLoadOpcClick(ui::Control& sender) {
    TfrmFiltroPadrao::btfLoadOpcClick(sender);
    stNrPedido = Options().Value("stNrPedido");
    stCliente = Options().Value("stCliente");
    stProduto = Options().Value("stProduto");
    stVendedor = Options().Value("stVendedor");
}
