#include "CLI_Ped01100/TfrmRelPedido.h"

#include "Consiste.h"
#include "Morvale.h"
#include "data/Clock.h"
#include "ui/Application.h"

void TfrmRelPedido::SetModo(const std::string& parametro) {
    m_historico = parametro == "M";
    lblModo.SetCaption(msgPadrao.Msg(m_historico ? "MODO_M" : "MODO_L"));
}

void TfrmRelPedido::FormActivate(ui::Control&) {
    if (!m_primeiraVez)
        return;
    m_primeiraVez = false;
    chbHistorico.SetChecked(m_historico);
    const double today = data::Clock::Today();
    depAteEmissao.SetDate(today);
    depDeEmissao.SetDate(today - 30);
    medCdFilial.SetText(Morvale::FiliProc());
    edtNmFilial.SetText(Morvale::NomeFiliProc());
    const bool fixed = Morvale::ModuFili();
    medCdFilial.SetEnabled(!fixed);
    btnFilial.SetEnabled(!fixed);
    AjustaVendedor();
    if (fixed)
        depDeEmissao.SetFocus();
    else
        medCdFilial.SetFocus();
}

void TfrmRelPedido::FormClose(ui::Form&, ui::CloseAction& action) {
    netRelPedido.Close();
    action = ui::CloseAction::Free;
}

void TfrmRelPedido::btnFecharClick(ui::Control&) {
    Close();
}

void TfrmRelPedido::medCdFilialChange(ui::Control&) {
    edtNmFilial.SetText({});
}

void TfrmRelPedido::medCdFilialExit(ui::Control&) {
    Vd_CdFilial();
    AjustaVendedor();
}

void TfrmRelPedido::btnFilialAfterPesq(ui::Control&) {
    // The code first: its change handler clears the name.
    medCdFilial.SetText(qryFilial.FieldByName("CDFILIAL").AsString());
    edtNmFilial.SetText(qryFilial.FieldByName("NMFILIAL").AsString());
    AjustaVendedor();
}

void TfrmRelPedido::edtCdVendedorChange(ui::Control&) {
    edtNmVendedor.SetText({});
}

void TfrmRelPedido::edtCdVendedorExit(ui::Control&) {
    Vd_Vendedor();
}

void TfrmRelPedido::btnVendedorAfterPesq(ui::Control&) {
    edtCdVendedor.SetText(qryVendedor.FieldByName("CDVENDEDOR").AsString());
    edtNmVendedor.SetText(qryVendedor.FieldByName("NMFANVEN").AsString());
}

void TfrmRelPedido::AjustaVendedor() {
    qryOperTPed.Close();
    qryOperTPed.ParamByName("P_CDFILIAL").SetAsString(medCdFilial.Text());
    qryOperTPed.ParamByName("P_CDOPERADOR").SetAsString(Morvale::Operador());
    qryVendLog.Close();
    qryVendLog.ParamByName("P_CDOPERADOR").SetAsString(Morvale::Operador());
    // One exchange with the server for both; the seller counts only for a restricted operator.
    TADOIBQuery::OpenTogether({&qryOperTPed, &qryVendLog});
    const bool restricted = qryOperTPed.IsEmpty();
    if (restricted) {
        edtCdVendedor.SetText(qryVendLog.FieldByName("CDVENDEDOR").AsString());
        edtNmVendedor.SetText(qryVendLog.FieldByName("NMFANVEN").AsString());
    }
    // Tag 99 would keep them out of SetChildEnabled; they are set one by one here instead.
    edtCdVendedor.SetEnabled(!restricted);
    btnVendedor.SetEnabled(!restricted);
}

void TfrmRelPedido::btnVisualizarClick(ui::Control&) {
    Emite(report::PrintAction::Preview);
}

void TfrmRelPedido::btnImprimirClick(ui::Control&) {
    Emite(report::PrintAction::Print);
}

void TfrmRelPedido::btnSalvarPdfClick(ui::Control&) {
    Emite(report::PrintAction::SavePdf);
}
