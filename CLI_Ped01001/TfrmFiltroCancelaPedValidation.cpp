// The filter dialog's rules. A broken rule shows its message, leaves the focus on the control it
// is about and abandons the handler that ran it, so callers simply run the rules in turn.
#include "RegraFoco.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "Consiste.h"
#include "data/Format.h"

#include <initializer_list>

namespace {

void Fail(const std::string& text, ui::Control& focus) {
    Regra::Falha(text, focus);
}

bool IsEmpty(const ui::Edit& edit) {
    return Consiste::EmptyString(edit.Text());
}

bool NoneChecked(std::initializer_list<const ui::CheckBox*> boxes) {
    for (const ui::CheckBox* box : boxes)
        if (box->Checked())
            return false;
    return true;
}

} // namespace

void TfrmFiltroCancelaPed::Vd_DeIntervalo() {
    if (IsEmpty(medDeIntervalo) && !IsEmpty(medAteIntervalo))
        Fail(msgPadrao.Msg("NRINI"), medDeIntervalo);
}

void TfrmFiltroCancelaPed::Vd_AteIntervalo() {
    if (!IsEmpty(medDeIntervalo) && IsEmpty(medAteIntervalo))
        Fail(msgPadrao.Msg("NRFIN"), medAteIntervalo);
}

void TfrmFiltroCancelaPed::Vd_Intervalo() {
    // Both texts have ten digits by now, so comparing the characters compares the numbers.
    if (!IsEmpty(medDeIntervalo) && !IsEmpty(medAteIntervalo) &&
        medDeIntervalo.Text() > medAteIntervalo.Text())
        Fail(msgPadrao.Msg("NRINI>NRFIN"), medDeIntervalo);
}

void TfrmFiltroCancelaPed::Vd_Intervalo2() {
    if (rbtIntervalo.Checked() && IsEmpty(medDeIntervalo) && IsEmpty(medAteIntervalo))
        Fail(msgPadrao.Msg("NRINI"), medDeIntervalo);
}

void TfrmFiltroCancelaPed::Vd_DeEmissao() {
    if (IsEmpty(depDeEmissao) && !IsEmpty(depAteEmissao))
        Fail(msgPadrao.Msg("DTINI_PEDIDO"), depDeEmissao);
}

void TfrmFiltroCancelaPed::Vd_AteEmissao() {
    if (!IsEmpty(depDeEmissao) && IsEmpty(depAteEmissao))
        Fail(msgPadrao.Msg("DTFIN_PEDIDO"), depAteEmissao);
}

void TfrmFiltroCancelaPed::Vd_Emissao() {
    if (!IsEmpty(depDeEmissao) && !IsEmpty(depAteEmissao) && depAteEmissao.GetDate() < depDeEmissao.GetDate())
        Fail(msgPadrao.Msg("DTINI>DTFIN_PEDIDO"), depDeEmissao);
}

void TfrmFiltroCancelaPed::Vd_DeEntrega() {
    if (IsEmpty(depDeEntrega) && !IsEmpty(depAteEntrega))
        Fail(msgPadrao.Msg("DTINI_ENTREGA"), depDeEntrega);
}

void TfrmFiltroCancelaPed::Vd_AteEntrega() {
    if (!IsEmpty(depDeEntrega) && IsEmpty(depAteEntrega))
        Fail(msgPadrao.Msg("DTFIN_ENTREGA"), depAteEntrega);
}

void TfrmFiltroCancelaPed::Vd_Entrega() {
    if (!IsEmpty(depDeEntrega) && !IsEmpty(depAteEntrega) && depAteEntrega.GetDate() < depDeEntrega.GetDate())
        Fail(msgPadrao.Msg("DTINI>DTFIN_ENTREGA"), depDeEntrega);
}

void TfrmFiltroCancelaPed::ValidateDate(TDateEditPlus& edit) {
    if (!IsEmpty(edit) && !edit.IsDateValid())
        Fail("'" + edit.EditText() + "' " + msgPadrao.Msg("DATA_INV"), edit);
    // A real calendar date on or before the start of the date values is no usable date either.
    if (!edit.Text().empty() && edit.GetDate() <= 0)
        Fail(data::FormatDate(edit.GetDate()) + msgPadrao.Msg("data_nao"), edit);
}

void TfrmFiltroCancelaPed::Vd_DeEmissaoInv() {
    ValidateDate(depDeEmissao);
}

void TfrmFiltroCancelaPed::Vd_AteEmissaoInv() {
    ValidateDate(depAteEmissao);
}

void TfrmFiltroCancelaPed::Vd_DeEntregaInv() {
    ValidateDate(depDeEntrega);
}

void TfrmFiltroCancelaPed::Vd_AteEntregaInv() {
    ValidateDate(depAteEntrega);
}

void TfrmFiltroCancelaPed::depDeEmissaoExit(ui::Control&) {
    Vd_DeEmissaoInv();
}

void TfrmFiltroCancelaPed::depAteEmissaoExit(ui::Control&) {
    Vd_AteEmissaoInv();
}

void TfrmFiltroCancelaPed::depDeEntregaExit(ui::Control&) {
    Vd_DeEntregaInv();
}

void TfrmFiltroCancelaPed::depAteEntregaExit(ui::Control&) {
    Vd_AteEntregaInv();
}

void TfrmFiltroCancelaPed::Vd_StatusPedido() {
    // "Liquidado" cannot be chosen for orders, so it does not count.
    if (NoneChecked({&chbPPendente, &chbPAndamento, &chbPCancelado, &chbPParcialmente}))
        Fail(msgPadrao.Msg("STATUSPED"), chbPPendente);
}

void TfrmFiltroCancelaPed::Vd_StatusItemPedido() {
    if (NoneChecked({&chbIPendente, &chbIConfirmado, &chbIAprovado, &chbILiquidado, &chbICancelado,
                     &chbIParcialmente}))
        Fail(msgPadrao.Msg("STATUSITEMPED"), chbIPendente);
}

void TfrmFiltroCancelaPed::Vd_Prioridade() {
    if (NoneChecked({&chbNormal, &chbAlta, &chbUrgente}))
        Fail(msgPadrao.Msg("PRIO"), chbNormal);
}

void TfrmFiltroCancelaPed::Vd_Lista() {
    struct ListChoice {
        ui::RadioButton& Button;
        const std::string& List;
        const char* Key;
    };
    for (const ListChoice& choice :
         {ListChoice{rbtLNrPedido, stNrPedido, "LNrPedido"}, ListChoice{rbtLCliente, stCliente, "LCliente"},
          ListChoice{rbtLProduto, stProduto, "LProduto"}, ListChoice{rbtLVendedor, stVendedor, "LVendedor"}})
        if (choice.Button.Checked() && choice.List.empty())
            Fail(msgPadrao.Msg(choice.Key), choice.Button);
}
