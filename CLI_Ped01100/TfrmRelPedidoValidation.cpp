// The print screen's rules. A broken rule shows its message, leaves the focus on the control it
// is about and abandons the handler that ran it, so callers simply run the rules in turn.
#include "CLI_Ped01100/TfrmRelPedido.h"
#include "Consiste.h"

namespace {

void Fail(const std::string& text, ui::Control& focus) {
    try {
        Consiste::MensErro(text, true);
    } catch (...) {
        focus.SetFocus();
        throw;
    }
}

} // namespace

void TfrmRelPedido::Vd_CdFilial() {
    medCdFilial.SetText(Consiste::Ajusta(medCdFilial.Text(), 4));
    const std::string code = medCdFilial.Text();
    if (Consiste::EmptyString(code))
        Fail(msgPadrao.Msg("FILIAL"), medCdFilial);
    qryPesqFilial.Close();
    qryPesqFilial.ParamByName("P_CDFILIAL").SetAsString(code);
    qryPesqFilial.Open();
    if (qryPesqFilial.IsEmpty())
        Fail(msgPadrao.Msg("FILIAL_NAO_CAD"), medCdFilial);
    edtNmFilial.SetText(qryPesqFilial.FieldByName("NMFILIAL").AsString());
}

void TfrmRelPedido::Vd_Emissao() {
    const struct {
        TDateEditPlus& edit;
        const char* empty;
        const char* invalid;
    } dates[] = {{depDeEmissao, "DTINI_NULL", "DTINI_INV"}, {depAteEmissao, "DTFIN_NULL", "DTFIN_INV"}};
    for (const auto& date : dates) {
        if (Consiste::EmptyString(date.edit.Text()))
            Fail(msgPadrao.Msg(date.empty), date.edit);
        // A real calendar date on or before the start of the date values is no usable date either.
        if (!date.edit.IsDateValid() || date.edit.GetDate() <= 0)
            Fail(msgPadrao.Msg(date.invalid), date.edit);
    }
    if (depAteEmissao.GetDate() < depDeEmissao.GetDate())
        Fail(msgPadrao.Msg("DTINI>DTFIN"), depDeEmissao);
}

void TfrmRelPedido::Vd_Situacao() {
    if (Situacoes().empty())
        Fail(msgPadrao.Msg("SITUACAO"), chbPendente);
}

void TfrmRelPedido::Vd_Vendedor() {
    edtCdVendedor.SetText(Consiste::Ajusta(edtCdVendedor.Text(), 4));
    const std::string code = edtCdVendedor.Text();
    if (code.empty())
        return;
    qryPesqVendedor.Close();
    qryPesqVendedor.ParamByName("P_CDVENDEDOR").SetAsString(code);
    qryPesqVendedor.Open();
    if (qryPesqVendedor.IsEmpty())
        Fail(msgPadrao.Msg("VENDEDOR_NAO_CAD"), edtCdVendedor);
    edtNmVendedor.SetText(qryPesqVendedor.FieldByName("NMFANVEN").AsString());
}
