// Confirming the filter dialog: the controls become the server parameters and the confirmed
// filter, and the screen loads the matching orders.
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/FilterDialogSupport.h"
#include "Consiste.h"

namespace {

// The one-character codes of the checked boxes, in the order given.
std::string CodesOf(std::initializer_list<std::pair<const ui::CheckBox*, const char*>> boxes) {
    std::string codes;
    for (const auto& [box, code] : boxes)
        if (box->Checked())
            codes += code;
    return codes;
}

// Both edits hold a date: the range is in force and travels; otherwise "T" lifts the criterion
// and the members keep what the last range in force left there.
void FillDateRange(const TDateEditPlus& from, const TDateEditPlus& to, double& fromDate, double& toDate,
                   std::string& all) {
    if (Consiste::EmptyString(from.Text()) || Consiste::EmptyString(to.Text())) {
        all = "T";
        return;
    }
    fromDate = from.GetDate();
    toDate = to.GetDate();
    all.clear();
}

} // namespace

void TfrmFiltroCancelaPed::sbtConfirmaClick(ui::Control& sender) {
    TfrmCancelaPed& screen = OwnerScreen();
    if (!screen.qryFilial.GetActive())
        screen.qryFilial.Open();
    medDeIntervalo.SetText(Consiste::Ajusta(medDeIntervalo.Text(), orderNumberLength));
    medAteIntervalo.SetText(Consiste::Ajusta(medAteIntervalo.Text(), orderNumberLength));
    ValidateAll();
    stParCdFilial = screen.medCdFilial.Text();
    FillListParameters();
    FillCodeParameters();
    FillDateAndNumberParameters();
    StoreFilter();
    screen.sbtVerificarClick(screen.sbtVerificar);
    TfrmFiltroPadrao::sbtConfirmaClick(sender);
}

void TfrmFiltroCancelaPed::ValidateAll() {
    // The date group the operator is typing in is checked first, so the message is about the
    // field in front of him; with the focus elsewhere the order dates come first.
    const bool deliveryFirst = depDeEntrega.Focused() || depAteEntrega.Focused();
    ValidateDateGroup(deliveryFirst);
    ValidateDateGroup(!deliveryFirst);
    if (rbtIntervalo.Checked()) {
        Vd_DeIntervalo();
        Vd_AteIntervalo();
        Vd_Intervalo();
        Vd_Intervalo2();
    }
    Vd_StatusPedido();
    Vd_StatusItemPedido();
    Vd_Lista();
    Vd_Prioridade();
}

void TfrmFiltroCancelaPed::ValidateDateGroup(bool delivery) {
    if (delivery) {
        Vd_DeEntregaInv();
        Vd_AteEntregaInv();
        Vd_DeEntrega();
        Vd_AteEntrega();
        Vd_Entrega();
    } else {
        Vd_DeEmissaoInv();
        Vd_AteEmissaoInv();
        Vd_DeEmissao();
        Vd_AteEmissao();
        Vd_Emissao();
    }
}

void TfrmFiltroCancelaPed::FillListParameters() {
    if (RestrictedToOwnSeller()) {
        stParVendedor = OperatorSeller();
        stParTVendedor.clear();
    } else if (rbtLVendedor.Checked()) {
        stParVendedor = stVendedor;
        stParTVendedor.clear();
    } else {
        stParVendedor.clear();
        stParTVendedor.assign(1, 'T');
    }
    stParCliente = rbtLCliente.Checked() ? stCliente : std::string();
    stParTCliente = rbtLCliente.Checked() ? std::string() : std::string("T");
    stParProduto = rbtLProduto.Checked() ? stProduto : std::string();
    stParTProduto = rbtLProduto.Checked() ? std::string() : std::string("T");
}

void TfrmFiltroCancelaPed::FillCodeParameters() {
    stTPrioridade.clear();
    stParPrioridade = CodesOf({{&chbNormal, "3"}, {&chbAlta, "2"}, {&chbUrgente, "1"}});
    stParSitPedido = CodesOf(
        {{&chbPPendente, "1"}, {&chbPAndamento, "2"}, {&chbPCancelado, "4"}, {&chbPParcialmente, "6"}});
    // Item situations "Liquidado" covers two codes.
    stParSitItemPedido = CodesOf({{&chbIPendente, "1"},
                                  {&chbIConfirmado, "2"},
                                  {&chbIAprovado, "3"},
                                  {&chbILiquidado, "46"},
                                  {&chbICancelado, "5"},
                                  {&chbIParcialmente, "7"}});
}

void TfrmFiltroCancelaPed::FillDateAndNumberParameters() {
    FillDateRange(depDeEmissao, depAteEmissao, dtParDeEmissao, dtParAteEmissao, stParTEmissao);
    FillDateRange(depDeEntrega, depAteEntrega, dtParDeEntrega, dtParAteEntrega, stParTEntrega);
    const bool interval = rbtIntervalo.Checked();
    const bool list = rbtLNrPedido.Checked();
    stParDeNrPedido = interval ? medDeIntervalo.Text() : std::string();
    stParAteNrPedido = interval ? medAteIntervalo.Text() : std::string();
    stParNrPedido = list ? stNrPedido : std::string();
    stParTNrPedido = std::string(rbtTNrPedido.Checked() ? "T" : "");
}

void TfrmFiltroCancelaPed::StoreFilter() {
    Filtro.NrPedido.boIntervalo = rbtIntervalo.Checked();
    Filtro.NrPedido.boLista = rbtLNrPedido.Checked();
    Filtro.NrPedido.stDe = medDeIntervalo.Text();
    Filtro.NrPedido.stAte = medAteIntervalo.Text();
    Filtro.NrPedido.stLista = stNrPedido;
    for (const BoxFlag& boxFlag : BoxFlags(*this))
        Filtro.*boxFlag.Flag = boxFlag.Box.Checked();
    Filtro.Produto.boTodos = rbtTProduto.Checked();
    Filtro.Produto.stLista = stProduto;
    Filtro.Vendedor.boTodos = rbtTVendedor.Checked();
    Filtro.Vendedor.stLista = stVendedor;
    Filtro.Cliente.boTodos = rbtTCliente.Checked();
    Filtro.Cliente.stLista = stCliente;
    Filtro.dtDeEntrega = depDeEntrega.GetDate();
    Filtro.dtAteEntrega = depAteEntrega.GetDate();
    Filtro.dtDeEmissao = depDeEmissao.GetDate();
    Filtro.dtAteEmissao = depAteEmissao.GetDate();
}
