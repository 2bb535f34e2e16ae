// The print screen's rules. A broken rule shows its message, leaves the focus on the control it
// is about and abandons the handler that ran it, so callers simply run the rules in turn.
#include "RegraFoco.h"
#include "CLI_Ped01100/TfrmRelPedido.h"
#include "Consiste.h"

using Regra::Falha;

namespace {

// The name of a code through its look-up query; an unknown code breaks the rule on `focus`.
std::string Nome(TADOIBQuery& query, const char* parameter, const std::string& code, const char* nameField,
                 const std::string& unknown, ui::Control& focus) {
    query.Close();
    query.ParamByName(parameter).SetAsString(code);
    query.Open();
    if (query.IsEmpty())
        Falha(unknown, focus);
    return query.FieldByName(nameField).AsString();
}

} // namespace

void TfrmRelPedido::Vd_CdFilial() {
    medCdFilial.SetText(Consiste::Ajusta(medCdFilial.Text(), 4));
    const std::string code = medCdFilial.Text();
    if (Consiste::EmptyString(code))
        Falha(msgPadrao.Msg("FILIAL"), medCdFilial);
    edtNmFilial.SetText(
        Nome(qryPesqFilial, "P_CDFILIAL", code, "NMFILIAL", msgPadrao.Msg("FILIAL_NAO_CAD"), medCdFilial));
}

void TfrmRelPedido::Vd_Emissao() {
    const struct {
        TDateEditPlus& edit;
        const char* empty;
        const char* invalid;
    } dates[] = {{depDeEmissao, "DTINI_NULL", "DTINI_INV"}, {depAteEmissao, "DTFIN_NULL", "DTFIN_INV"}};
    for (const auto& date : dates) {
        if (Consiste::EmptyString(date.edit.Text()))
            Falha(msgPadrao.Msg(date.empty), date.edit);
        // A real calendar date on or before the start of the date values is no usable date either.
        if (!date.edit.IsDateValid() || date.edit.GetDate() <= 0)
            Falha(msgPadrao.Msg(date.invalid), date.edit);
    }
    if (depAteEmissao.GetDate() < depDeEmissao.GetDate())
        Falha(msgPadrao.Msg("DTINI>DTFIN"), depDeEmissao);
}

void TfrmRelPedido::Vd_Situacao() {
    if (Situacoes().empty())
        Falha(msgPadrao.Msg("SITUACAO"), chbPendente);
}

void TfrmRelPedido::Vd_Vendedor() {
    edtCdVendedor.SetText(Consiste::Ajusta(edtCdVendedor.Text(), 4));
    const std::string code = edtCdVendedor.Text();
    if (code.empty())
        return;
    edtNmVendedor.SetText(Nome(qryPesqVendedor, "P_CDVENDEDOR", code, "NMFANVEN",
                               msgPadrao.Msg("VENDEDOR_NAO_CAD"), edtCdVendedor));
}
