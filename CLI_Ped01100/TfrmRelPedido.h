#pragma once

#include "CLI_Ped01100/RelPedidoDados.h"
#include "RdmRelPedido.h"
#include "TADOIBQuery.h"
#include "TBtnPesquisa.h"
#include "TMemDataSet.h"
#include "TDataSource.h"
#include "TDateEditPlus.h"
#include "TMessages.h"
#include "TNetConnection.h"
#include "report/PrintService.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"

#include <string>

// The order print screen "PED01100": a filter (branch, order date range, order situations,
// seller, items and history) and the report of the matching orders, previewed, printed or saved
// as PDF. In ledger mode (parameter "M") the history of cancellations is printed by default.
class TfrmRelPedido : public ui::Form {
public:
    TfrmRelPedido();
    ~TfrmRelPedido() override;

    ui::Label& lblModo;
    ui::Label& lblCodTela;
    ui::GroupBox& grbFiltro;
    ui::Label& lblFilial;
    ui::MaskEdit& medCdFilial;
    TBtnPesquisa& btnFilial;
    ui::Edit& edtNmFilial;
    ui::Label& lblEmissao;
    TDateEditPlus& depDeEmissao;
    ui::Label& lblAte;
    TDateEditPlus& depAteEmissao;
    ui::GroupBox& grbSituacao;
    ui::CheckBox& chbPendente;
    ui::CheckBox& chbAndamento;
    ui::CheckBox& chbParcial;
    ui::CheckBox& chbLiquidado;
    ui::CheckBox& chbCancelado;
    ui::Label& lblVendedor;
    ui::Edit& edtCdVendedor;
    TBtnPesquisa& btnVendedor;
    ui::Edit& edtNmVendedor;
    ui::CheckBox& chbItens;
    ui::CheckBox& chbHistorico;
    ui::Button& btnVisualizar;
    ui::Button& btnImprimir;
    ui::Button& btnSalvarPdf;
    ui::Button& btnFechar;
    TMessages& msgPadrao;
    TADOIBQuery& qryFilial;
    TADOIBQuery& qryPesqFilial;
    TADOIBQuery& qryVendedor;
    TADOIBQuery& qryPesqVendedor;
    TADOIBQuery& qryOperTPed;
    TADOIBQuery& qryVendLog;
    TDataSource& dtsFilial;
    TDataSource& dtsVendedor;
    TMemDataSet& cdsRelPedido;
    TMemDataSet& cdsRelItem;
    TMemDataSet& cdsRelHistorico;
    TNetConnection& netRelPedido;

    // "M": ledger mode; anything else: list mode.
    void SetModo(const std::string& parametro);

    void FormActivate(ui::Control& sender);
    void FormClose(ui::Form& sender, ui::CloseAction& action);
    void medCdFilialChange(ui::Control& sender);
    void medCdFilialExit(ui::Control& sender);
    void btnFilialAfterPesq(ui::Control& sender);
    void edtCdVendedorChange(ui::Control& sender);
    void edtCdVendedorExit(ui::Control& sender);
    void btnVendedorAfterPesq(ui::Control& sender);
    void btnVisualizarClick(ui::Control& sender);
    void btnImprimirClick(ui::Control& sender);
    void btnSalvarPdfClick(ui::Control& sender);
    void btnFecharClick(ui::Control& sender);

    // The rules of the filter; each shows its message and leaves the focus on its control.
    void Vd_CdFilial();
    void Vd_Emissao();
    void Vd_Situacao();
    void Vd_Vendedor();

private:
    // A code with its search button and its name beside it, on one line of the filter.
    struct Lookup {
        ui::Label& label;
        const char* caption;
        ui::Edit& code;
        TBtnPesquisa& button;
        TDataSource& source;
        const char* emptyError;
        ui::Edit& name;
    };

    void DefineFilter();
    void DefineLookup(const Lookup& lookup, int top);
    void DefineSituations();
    void DefineButtons();
    void DefineMessages();
    void DefineData();
    void BindEvents();
    // Fixes the seller to the operator's own when he may not see the others' orders.
    void AjustaVendedor();
    std::string Situacoes() const;
    RdmRelPedido::Filtro FiltroAtual() const;
    RelPedidoDados Carrega(const RdmRelPedido::Filtro& filtro);
    std::string TextoFiltro() const;
    void Emite(report::PrintAction action);

    bool m_historico = false;
    bool m_primeiraVez = true;
};
