#include "CLI_Ped01000/CheckMark.h"
#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01000/TextoStatus.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "Consiste.h"
#include "Morvale.h"
#include "RdmCancelaPedido.h"
#include "Showavi.h"
#include "data/ScopedDetach.h"
#include "ui/Application.h"

namespace {

bool Ask(const TMessages& messages, const std::string& key) {
    return ui::Application::Instance().AskYesNo(messages.Msg(key));
}

bool IsCancellableItemSituation(const std::string& situation) {
    return situation == "1" || situation == "2" || situation == "3";
}

void LocateIfActive(data::DataSet& dataSet, const std::string& field, const std::string& key) {
    if (dataSet.Active())
        dataSet.Locate(field, data::Value{key}, true);
}

} // namespace

void TfrmCancelaPed::mnuCancClick(ui::Control&) {
    ChooseItemMode("1");
}

void TfrmCancelaPed::mnuExclCancClick(ui::Control&) {
    ChooseItemMode("5");
}

void TfrmCancelaPed::ChooseItemMode(const std::string& mode) {
    Repaint();
    stSituacaoItemPedido = mode;
    const bool undo = mode == "5";
    try {
        CheckMark::ForEachRow(cdsItemPedido, "NRITEMPED", stNrItemPed, [this, undo] {
            const std::string situation = CheckMark::ItemSituation(cdsItemPedido);
            const bool cancelled = situation == "5";
            if (!cancelled && !IsCancellableItemSituation(situation))
                return;
            if (cancelled == undo) {
                CheckMark::Set(cdsItemPedido, CheckMark::Checked);
                ++inContItemPedidoCh;
            } else {
                CheckMark::Set(cdsItemPedido, CheckMark::Disabled);
            }
        });
    } catch (...) {
        Habilita();
        throw;
    }
    Habilita();
}

void TfrmCancelaPed::sbtConfirmarClick(ui::Control&) {
    Vd_Check();
    Vd_JustExcl(true);
    const Comando comando = ComandoPendente();
    if (comando == Comando::CancelaPedidos) {
        if (Ask(msgPadrao, "PedXXCN"))
            CancelCheckedOrders();
        Repaint();
    } else {
        Repaint();
        if (comando == Comando::CancelaItens) {
            if (Ask(msgPadrao, "ItemPedXXCN"))
                SendCheckedItems(false);
            Repaint();
        } else if (comando == Comando::DesfazCancelamento) {
            SendCheckedItems(true);
            Repaint();
        }
    }
    if (pgcPadrao.ActivePage() == &tshItemPedido)
        dbgItemPedido.SetFocus();
}

TfrmCancelaPed::Comando TfrmCancelaPed::ComandoPendente() const {
    // Checked orders take precedence over the item mode and over the page shown.
    if (inContPedidoCh > 0)
        return Comando::CancelaPedidos;
    if (IsCancellableItemSituation(stSituacaoItemPedido))
        return Comando::CancelaItens;
    if (stSituacaoItemPedido == "5")
        return Comando::DesfazCancelamento;
    return Comando::Nenhum;
}

RemoteResult TfrmCancelaPed::EnviaComando(Comando comando, bool simulacao) {
    RdmCancelaPedido rdm(netCancelaPed);
    const std::string operBloq = msgPadrao.Msg("OperBloq");
    if (comando == Comando::CancelaPedidos) {
        const auto call =
            simulacao ? &RdmCancelaPedido::GetSimulaCancelaPed : &RdmCancelaPedido::SetCancelaPed;
        return (rdm.*call)(Morvale::Operador(), edtCdJust.Text(), cdsPedido.ToPacket(), operBloq,
                           medCdFilial.Text(), msgPadrao.Msg("SALDO_EMP"));
    }
    const bool undo = comando == Comando::DesfazCancelamento;
    const auto call =
        undo
            ? (simulacao ? &RdmCancelaPedido::GetSimulaDesfazCancel : &RdmCancelaPedido::SetDesfazCancel)
            : (simulacao ? &RdmCancelaPedido::GetSimulaCancelaItemPed : &RdmCancelaPedido::SetCancelaItemPed);
    return (rdm.*call)(Morvale::Operador(), edtCdJust.Text(), cdsItemPedido.ToPacket(), operBloq);
}

void TfrmCancelaPed::CancelCheckedOrders() {
    // The order load restores the orders' display itself when it fails, so nothing is left to undo.
    Repaint();
    const std::string feito = TextoQuantidade(inContPedidoCh, "pedido cancelado.", "pedidos cancelados.");
    Showavi::Guard busy(ui::Application::Instance().MainForm(), Showavi::Running);
    Consiste::CheckResultServ(EnviaComando(Comando::CancelaPedidos, false), true, 0);
    busy.Stop();
    SetStatusText(ui::StatusPart::Message, feito);
    edtCdJust.SetText("");
    sbtVerificarClick(sbtVerificar);
    if (pgcPadrao.ActivePage() != &tshPadrao)
        mnuPedidoClick(mnuPedido);
}

void TfrmCancelaPed::SendCheckedItems(bool undo) {
    Repaint();
    const std::string feito =
        undo ? "Cancelamento desfeito em " + TextoQuantidade(inContItemPedidoCh, "item.", "itens.")
             : TextoQuantidade(inContItemPedidoCh, "item cancelado.", "itens cancelados.");
    Showavi::Guard busy(ui::Application::Instance().MainForm(), Showavi::Running);
    Consiste::CheckResultServ(EnviaComando(undo ? Comando::DesfazCancelamento : Comando::CancelaItens, false),
                              true, 0);
    busy.Stop();
    SetStatusText(ui::StatusPart::Message, feito);
    edtCdJust.SetText("");
    sbtVerificarClick(sbtVerificar);
    if (pgcPadrao.ActivePage() != &tshItemPedido)
        mnuItemPedidoClick(mnuItemPedido);
}

void TfrmCancelaPed::Vd_Check() {
    const ui::TabSheet* page = pgcPadrao.ActivePage();
    try {
        if (page == &tshPadrao && inContPedidoCh == 0)
            Consiste::MensErro(msgPadrao.Msg("NENHUM_CHECK_PEDIDO"), true);
        if (page == &tshItemPedido && inContItemPedidoCh == 0)
            Consiste::MensErro(msgPadrao.Msg("NENHUM_CHECK_ITEMPEDIDO"), true);
    } catch (...) {
        (page == &tshPadrao ? dbgPadrao : dbgItemPedido).SetFocus();
        throw;
    }
}

void TfrmCancelaPed::Vd_JustExcl(bool required) {
    try {
        if (Consiste::EmptyString(edtCdJust.Text())) {
            if (required)
                Consiste::MensErro(msgPadrao.Msg("CDJUST_NULL"), true);
            return;
        }
        // Codes are kept zero-padded to their four characters; this form is also what is sent.
        edtCdJust.SetText(Consiste::Ajusta(edtCdJust.Text(), 4));
        qryPesqJust.Close();
        qryPesqJust.ParamByName("P_CDJUSTEXCHIS").SetAsString(edtCdJust.Text());
        qryPesqJust.Open();
        if (qryPesqJust.IsEmpty())
            Consiste::MensErro(msgPadrao.Msg("JUST_N_CAD"), true);
        edtDsJust.SetText(qryPesqJust.FieldByName("DSJUSTEXCHIS").AsString());
    } catch (...) {
        ShowPage(tshJustExcl);
        edtCdJust.SetFocus();
        throw;
    }
}

void TfrmCancelaPed::edtCdJustExit(ui::Control&) {
    Vd_JustExcl(false);
}

void TfrmCancelaPed::edtCdJustChange(ui::Control&) {
    edtDsJust.SetText("");
}

void TfrmCancelaPed::btnJustAfterPesq(ui::Control&) {
    edtCdJust.SetText(qryJustExcl.FieldByName("CDJUSTEXCHIS").AsString());
    edtDsJust.SetText(qryJustExcl.FieldByName("DSJUSTEXCHIS").AsString());
}

void TfrmCancelaPed::sbtCancelarClick(ui::Control&) {
    if (!sbtCancelar.Enabled())
        return;
    if (Ask(msgPadrao, "CANCELAR")) {
        Repaint();
        edtCdJust.SetText("");
        stSelNrPedido = cdsPedido.FieldByName("NRPEDIDO").AsString();
        stNrItemPed = cdsItemPedido.FieldByName("NRITEMPED").AsString();
        Deschecar();
        inContPedidoCh = 0;
        inContItemPedidoCh = 0;
        {
            // Finding the order again must not reload its items.
            data::ScopedDetach scroll(cdsPedido.AfterScroll);
            LocateIfActive(cdsPedido, "NRPEDIDO", stSelNrPedido);
            LocateIfActive(cdsItemPedido, "NRITEMPED", stNrItemPed);
        }
        Habilita();
        if (pgcPadrao.ActivePage() == &tshJustExcl)
            mnuPedidoClick(mnuPedido);
        SetStatusText(ui::StatusPart::Message, "Seleção cancelada.");
    }
    sbtVerificarClick(sbtVerificar);
}

void TfrmCancelaPed::sbtImprimirClick(ui::Control&) {
    Morvale::LoadBPL("PED01100", "M");
}
