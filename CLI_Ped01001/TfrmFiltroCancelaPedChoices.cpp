// The radio buttons of the filter dialog and the order-number interval edits.
#include "CLI_Ped01001/FilterDialogSupport.h"
#include "Consiste.h"

#include <initializer_list>

namespace {

// Sets a flag for a scope and puts its earlier value back on every way out.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_before(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_before; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_before;
};

} // namespace

void TfrmFiltroCancelaPed::ClearInterval() {
    // Clearing is not typing: the edits' change handlers would otherwise select "Intervalo" in
    // the middle of choosing "Todos" or "Lista", and the two choices would re-enter each other.
    FlagScope clearing(m_clearingInterval);
    medDeIntervalo.Clear();
    medAteIntervalo.Clear();
}

void TfrmFiltroCancelaPed::SetIntervalColor(ui::Color color) {
    medDeIntervalo.SetColor(color);
    medAteIntervalo.SetColor(color);
}

void TfrmFiltroCancelaPed::rbtIntervaloClick(ui::Control&) {
    const bool interval = rbtIntervalo.Checked();
    sbtNrPedido.SetEnabled(!interval);
    for (ui::Control* control : std::initializer_list<ui::Control*>{&medDeIntervalo, &medAteIntervalo,
                                                                    &lblDeNrPedido, &lblAteNrPedido})
        control->SetEnabled(interval);
    medDeIntervalo.SetFocus();
    SetIntervalColor(ui::clInfoBk);
}

void TfrmFiltroCancelaPed::rbtTNrPedidoClick(ui::Control&) {
    ClearInterval();
    SetIntervalColor(ui::clWindow);
    for (ui::Control* control : std::initializer_list<ui::Control*>{
             &sbtNrPedido, &medDeIntervalo, &medAteIntervalo, &lblDeNrPedido, &lblAteNrPedido})
        control->SetEnabled(false);
}

void TfrmFiltroCancelaPed::rbtLNrPedidoClick(ui::Control&) {
    ClearInterval();
    SetIntervalColor(ui::clWindow);
    const bool list = rbtLNrPedido.Checked();
    sbtNrPedido.SetEnabled(list);
    for (ui::Control* control : std::initializer_list<ui::Control*>{&medDeIntervalo, &medAteIntervalo,
                                                                    &lblDeNrPedido, &lblAteNrPedido})
        control->SetEnabled(!list);
}

void TfrmFiltroCancelaPed::medDeIntervaloChange(ui::Control&) {
    if (!m_clearingInterval)
        rbtIntervalo.SetChecked(true);
}

void TfrmFiltroCancelaPed::medAteIntervaloChange(ui::Control&) {
    if (!m_clearingInterval)
        rbtIntervalo.SetChecked(true);
}

void TfrmFiltroCancelaPed::medDeIntervaloExit(ui::Control&) {
    medDeIntervalo.SetText(Consiste::Ajusta(medDeIntervalo.Text(), orderNumberLength));
}

void TfrmFiltroCancelaPed::medAteIntervaloExit(ui::Control&) {
    medAteIntervalo.SetText(Consiste::Ajusta(medAteIntervalo.Text(), orderNumberLength));
}

void TfrmFiltroCancelaPed::rbtTVendedorClick(ui::Control&) {
    sbtVendedor.SetEnabled(!rbtTVendedor.Checked());
}

void TfrmFiltroCancelaPed::rbtLVendedorClick(ui::Control&) {
    sbtVendedor.SetEnabled(rbtLVendedor.Checked());
}

void TfrmFiltroCancelaPed::rbtTClienteClick(ui::Control&) {
    sbtCliente.SetEnabled(!rbtTCliente.Checked());
}

void TfrmFiltroCancelaPed::rbtLClienteClick(ui::Control&) {
    sbtCliente.SetEnabled(rbtLCliente.Checked());
}

void TfrmFiltroCancelaPed::rbtTProdutoClick(ui::Control&) {
    sbtProduto.SetEnabled(!rbtTProduto.Checked());
}

void TfrmFiltroCancelaPed::rbtLProdutoClick(ui::Control&) {
    sbtProduto.SetEnabled(rbtLProduto.Checked());
}
