#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "Consiste.h"
#include "RdmCancelaPedido.h"

void TfrmCancelaPed::medCdFilialChange(ui::Control&) {
    // Product choices belong to a branch; sellers, clients and order numbers are kept.
    Filtro.Produto.stLista.clear();
    edtNmFilial.SetText({});
}

void TfrmCancelaPed::medCdFilialExit(ui::Control&) {
    Vd_CdFilial();
}

void TfrmCancelaPed::Vd_CdFilial() {
    try {
        medCdFilial.SetText(Consiste::Ajusta(medCdFilial.Text(), 4));
        const std::string code = medCdFilial.Text();
        if (Consiste::EmptyString(code))
            Consiste::MensErro(msgPadrao.Msg("FILIAL"), true);
        qryPesqFilial.Close();
        qryPesqFilial.ParamByName("P_CDFILIAL").SetAsString(code);
        qryPesqFilial.Open();
        if (qryPesqFilial.IsEmpty())
            Consiste::MensErro(msgPadrao.Msg("FILIAL_NAO_CAD"), true);
        edtNmFilial.SetText(qryPesqFilial.FieldByName("NMFILIAL").AsString());
    } catch (...) {
        // The focus stays in the code while it is not a known branch.
        medCdFilial.SetFocus();
        throw;
    }
}

void TfrmCancelaPed::btnFilialBeforePesq(ui::Control&) {
    qryFilial.Close();
    qryFilial.Open();
}

void TfrmCancelaPed::btnFilialAfterPesq(ui::Control&) {
    // The code first: its change handler clears the name.
    medCdFilial.SetText(qryFilial.FieldByName("CDFILIAL").AsString());
    edtNmFilial.SetText(qryFilial.FieldByName("NMFILIAL").AsString());
}

void TfrmCancelaPed::panFilialEnter(ui::Control&) {
    cdsItemPedido.Close();
    cdsPedido.Close();
    Habilita();
}

void TfrmCancelaPed::panFilialExit(ui::Control&) {
    RdmCancelaPedido rdm(netCancelaPed);
    cdsParamPedido.LoadFromPacket(Consiste::CheckResultServ(rdm.GetParamPedido(medCdFilial.Text()), true, 0));
    data::Field& nrEmpenho = cdsPedido.FieldByName("NREMPENHO");
    if (cdsParamPedido.FieldByName("IDUTCTREMPEN").AsString() == "S") {
        if (Consiste::IndiceCol(dbgPadrao, "NREMPENHO") == -1) {
            Consiste::CriaColuna(dbgPadrao, "NREMPENHO", 6).SetWidth(LarguraEmpenho);
            nrEmpenho.SetVisible(true);
        }
    } else {
        Consiste::DestroiColuna(dbgPadrao, "NREMPENHO");
        nrEmpenho.SetVisible(false);
    }
    sbtFiltroClick(sbtFiltro);
    Habilita();
}
