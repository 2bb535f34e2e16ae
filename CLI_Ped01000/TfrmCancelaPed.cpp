#include "CLI_Ped01000/TfrmCancelaPed.h"

#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "Consiste.h"
#include "Morvale.h"
#include "RdmCancelaPedido.h"

#include <initializer_list>

void TfrmCancelaPed::FormCreate(ui::Control& sender) {
    TfrmPadraoGrid::FormCreate(sender);
    netCancelaPed.Open();
    boPrimVezAtivacao = true;
    boPrimVezFiltro = true;
    inContPedidoCh = 0;
    inContItemPedidoCh = 0;
    pgcPadrao.SetActivePage(&tshPadrao);
    mnuPedido.SetChecked(true);
    mnuItemPedido.SetChecked(false);
    Filtro.Reset();
}

void TfrmCancelaPed::FormActivate(ui::Control&) {
    Repaint();
    if (!boPrimVezAtivacao)
        return;
    boPrimVezAtivacao = false;
    medCdFilial.SetText(Morvale::FiliProc());
    edtNmFilial.SetText(Morvale::NomeFiliProc());
    // Tag 99 keeps SetChildEnabled away from the branch controls while the host fixes the branch.
    const bool fixed = Morvale::ModuFili();
    for (ui::Control* control : std::initializer_list<ui::Control*>{&lblFilial, &medCdFilial, &btnFilial}) {
        control->SetEnabled(!fixed);
        control->SetTag(fixed ? 99 : 0);
    }
    if (fixed) {
        panFilialExit(panFilial);
    } else {
        medCdFilial.SetFocus();
        sbtFiltro.SetEnabled(true);
        mnuFiltrar.SetEnabled(true);
    }
    Habilita();
}

void TfrmCancelaPed::FormClose(ui::Form& sender, ui::CloseAction& action) {
    if (frmFiltroCancelaPed) {
        frmFiltroCancelaPed->Release();
        frmFiltroCancelaPed = nullptr;
    }
    TfrmPadraoGrid::FormClose(sender, action);
    netCancelaPed.Close();
    boIdCriado = false;
}

void TfrmCancelaPed::pgcPadraoChange(ui::Control&) {
    ui::TabSheet* page = pgcPadrao.ActivePage();
    if (page == &tshPadrao) {
        dtsPadrao.SetDataSet(&cdsPedido);
    } else if (page == &tshItemPedido) {
        mnuItemPedido.SetChecked(true);
        dtsPadrao.SetDataSet(&cdsItemPedido);
        // A pending selection lives in the items shown; reloading them would drop it.
        if (!sbtConfirmar.Enabled()) {
            LoadItemsOfCurrentOrder();
            inContPedidoCh = 0;
            inContItemPedidoCh = 0;
        }
    }
    Habilita();
    mnuPedido.SetChecked(page == &tshPadrao);
    mnuItemPedido.SetChecked(page == &tshItemPedido);
    mnuJustExcl.SetChecked(page == &tshJustExcl);
}

void TfrmCancelaPed::mnuPedidoClick(ui::Control&) {
    if (pgcPadrao.ActivePage() != &tshPadrao)
        ShowPage(tshPadrao);
    dbgPadrao.SetFocus();
}

void TfrmCancelaPed::mnuItemPedidoClick(ui::Control&) {
    if (pgcPadrao.ActivePage() != &tshItemPedido)
        ShowPage(tshItemPedido);
}

void TfrmCancelaPed::mnuJustExclClick(ui::Control&) {
    if (pgcPadrao.ActivePage() != &tshJustExcl)
        ShowPage(tshJustExcl);
}

void TfrmCancelaPed::dtsPadraoStateChange(data::DataSource&) {}

void TfrmCancelaPed::sbtAlterarClick(ui::Control&) {}

void TfrmCancelaPed::netCancelaPedBeforeConnect(TNetConnection& sender) {
    sender.SetHost(Morvale::WebURL());
    sender.SetPort(Morvale::WebPort());
}

void TfrmCancelaPed::sbtFiltroClick(ui::Control&) {
    stNrItemPed = cdsItemPedido.FieldByName("NRITEMPED").AsString();
    stSelNrPedido = cdsPedido.FieldByName("NRPEDIDO").AsString();
    CriaFiltroCancelaPed();
}

void TfrmCancelaPed::mnuFiltrarClick(ui::Control&) {
    sbtFiltro.Click();
}

void TfrmCancelaPed::Habilita() {
    const bool anyChecked = inContPedidoCh > 0 || inContItemPedidoCh > 0;
    const bool inBranch = medCdFilial.Focused();
    const bool noOrders = cdsPedido.IsEmpty();
    sbtCancelar.SetEnabled(anyChecked && !inBranch);
    sbtConfirmar.SetEnabled(anyChecked && !inBranch);
    sbtFiltro.SetEnabled(!anyChecked && !inBranch);
    sbtProcurar.SetEnabled(sbtFiltro.Enabled() && !noOrders);
    sbtVerificar.SetEnabled(sbtFiltro.Enabled() && !noOrders);
    tshPadrao.SetEnabled(inContItemPedidoCh == 0);
    tshItemPedido.SetEnabled(inContPedidoCh == 0 && !noOrders && !inBranch);
    tshJustExcl.SetEnabled(sbtConfirmar.Enabled());
    mnuProcurar.SetEnabled(sbtProcurar.Enabled());
    mnuVerificar.SetEnabled(sbtVerificar.Enabled());
    mnuCancelar.SetEnabled(sbtCancelar.Enabled());
    mnuConfirmar.SetEnabled(sbtConfirmar.Enabled());
    mnuFiltrar.SetEnabled(sbtFiltro.Enabled());
    mnuPedido.SetEnabled(tshPadrao.Enabled());
    mnuItemPedido.SetEnabled(tshItemPedido.Enabled());
    mnuJustExcl.SetEnabled(tshJustExcl.Enabled());
    dbnPadrao.SetEnabled(!sbtConfirmar.Enabled());
    Consiste::SetChildEnabled(panFilial, !sbtConfirmar.Enabled());
    MostraResumo();
}

void TfrmCancelaPed::ShowPage(ui::TabSheet& page) {
    pgcPadrao.SetActivePage(&page);
    pgcPadraoChange(pgcPadrao);
}

void TfrmCancelaPed::LoadItemsOfCurrentOrder() {
    RdmCancelaPedido rdm(netCancelaPed);
    const RemoteResult result = rdm.GetItemPedido(cdsPedido.FieldByName("CDFILIAL").AsString(),
                                                  cdsPedido.FieldByName("NRPEDIDO").AsString());
    cdsItemPedido.LoadFromPacket(Consiste::CheckResultServ(result, true, 0));
}
