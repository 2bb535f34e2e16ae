#pragma once

#include "TADOIBQuery.h"
#include "TDataSource.h"
#include "TDateEditPlus.h"
#include "TMemDataSet.h"
#include "TfrmFiltroPadrao.h"
#include "ui/CheckBox.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"

#include <string>

class RdmCancelaPedido;
class TfrmCancelaPed;
struct RemoteResult;

// "Filtro de Cancelamento" (PED01001): the modal dialog that edits the filter of the
// order-cancellation screen. It is created once per screen and only hidden between uses, so its
// controls and the twenty server parameters survive from one opening to the next. The form
// definition lives in TfrmFiltroCancelaPedLayout.cpp and TfrmFiltroCancelaPedData.cpp.
class TfrmFiltroCancelaPed : public TfrmFiltroPadrao {
public:
    TfrmFiltroCancelaPed();
    ~TfrmFiltroCancelaPed() override;

    ui::GroupBox& grbNrPedido;
    ui::RadioButton& rbtTNrPedido;
    ui::RadioButton& rbtIntervalo;
    ui::RadioButton& rbtLNrPedido;
    ui::Label& lblDeNrPedido;
    ui::MaskEdit& medDeIntervalo;
    ui::Label& lblAteNrPedido;
    ui::MaskEdit& medAteIntervalo;
    ui::SpeedButton& sbtNrPedido;

    ui::GroupBox& grbPedido;
    ui::CheckBox& chbPPendente;
    ui::CheckBox& chbPAndamento;
    ui::CheckBox& chbPLiquidado;
    ui::CheckBox& chbPCancelado;
    ui::CheckBox& chbPParcialmente;

    ui::GroupBox& grbItemPedido;
    ui::CheckBox& chbIPendente;
    ui::CheckBox& chbIConfirmado;
    ui::CheckBox& chbIAprovado;
    ui::CheckBox& chbILiquidado;
    ui::CheckBox& chbICancelado;
    ui::CheckBox& chbIParcialmente;

    ui::GroupBox& grbCliente;
    ui::RadioButton& rbtTCliente;
    ui::RadioButton& rbtLCliente;
    ui::SpeedButton& sbtCliente;

    ui::GroupBox& grbProduto;
    ui::RadioButton& rbtTProduto;
    ui::RadioButton& rbtLProduto;
    ui::SpeedButton& sbtProduto;

    ui::GroupBox& grbVendedor;
    ui::RadioButton& rbtTVendedor;
    ui::RadioButton& rbtLVendedor;
    ui::SpeedButton& sbtVendedor;

    ui::GroupBox& grbEmissao;
    ui::Label& lblDeEmissao;
    TDateEditPlus& depDeEmissao;
    ui::Label& lblAteEmissao;
    TDateEditPlus& depAteEmissao;

    ui::GroupBox& grbEntrega;
    ui::Label& lblDeEntrega;
    TDateEditPlus& depDeEntrega;
    ui::Label& lblAteEntrega;
    TDateEditPlus& depAteEntrega;

    ui::GroupBox& grbPrioridade;
    ui::CheckBox& chbNormal;
    ui::CheckBox& chbAlta;
    ui::CheckBox& chbUrgente;

    ui::SpeedButton& sbtLimpa;

    TADOIBQuery& qryVendLog;
    TADOIBQuery& qryVendedor;
    TADOIBQuery& qryCliente;
    TADOIBQuery& qryProduto;
    TMemDataSet& cdsNrPedido;
    TDataSource& dtsVendedor;
    TDataSource& dtsCliente;
    TDataSource& dtsProduto;
    TDataSource& dtsNrPedido;

    // The order query's parameters, in the order the screen passes them to the server. Only the
    // confirmation writes them.
    std::string stParCdFilial;
    std::string stParVendedor;
    std::string stParTVendedor;
    std::string stParCliente;
    std::string stParTCliente;
    std::string stParProduto;
    std::string stParTProduto;
    std::string stParPrioridade;
    std::string stParSitPedido;
    double dtParDeEmissao = 0;
    double dtParAteEmissao = 0;
    std::string stParTEmissao;
    double dtParDeEntrega = 0;
    double dtParAteEntrega = 0;
    std::string stParTEntrega;
    std::string stParDeNrPedido;
    std::string stParAteNrPedido;
    std::string stParNrPedido;
    std::string stParTNrPedido;
    std::string stParSitItemPedido;

    void FormCreate(ui::Control& sender) override;
    // Closing only hides the dialog; the base's close step is not wanted here.
    void FormClose(ui::Form& sender, ui::CloseAction& action) override;
    // Shows the last confirmed filter again and applies the seller restriction.
    void FormActivate(ui::Control& sender);
    // Ctrl+D runs "Desfazer".
    void FormKeyDown(ui::Control& sender, int& key, ui::ShiftState shift) override;
    // "Desfazer": every group back to everything, without touching the confirmed filter.
    void sbtLimpaClick(ui::Control& sender);
    void rbtTNrPedidoClick(ui::Control& sender);
    void rbtIntervaloClick(ui::Control& sender);
    void rbtLNrPedidoClick(ui::Control& sender);
    void rbtTVendedorClick(ui::Control& sender);
    void rbtLVendedorClick(ui::Control& sender);
    void rbtTClienteClick(ui::Control& sender);
    void rbtLClienteClick(ui::Control& sender);
    void rbtTProdutoClick(ui::Control& sender);
    void rbtLProdutoClick(ui::Control& sender);
    void medDeIntervaloChange(ui::Control& sender);
    void medAteIntervaloChange(ui::Control& sender);
    void medDeIntervaloExit(ui::Control& sender);
    void medAteIntervaloExit(ui::Control& sender);
    void depDeEmissaoExit(ui::Control& sender);
    void depAteEmissaoExit(ui::Control& sender);
    void depDeEntregaExit(ui::Control& sender);
    void depAteEntregaExit(ui::Control& sender);
    // The four working lists go into the options before the base saves them and come back
    // after it loads them.
    void btfSaveOpcClick(ui::Control& sender) override;
    void btfLoadOpcClick(ui::Control& sender) override;
    // Validates, fills the server parameters and the confirmed filter, loads the orders, closes.
    void sbtConfirmaClick(ui::Control& sender) override;

    // Each rule returns normally when it holds; otherwise it shows its message, puts the focus
    // on the control the rule is about and abandons the running handler.
    void Vd_DeIntervalo();
    void Vd_AteIntervalo();
    void Vd_Intervalo();
    void Vd_Intervalo2();
    void Vd_DeEmissao();
    void Vd_AteEmissao();
    void Vd_Emissao();
    void Vd_DeEntrega();
    void Vd_AteEntrega();
    void Vd_Entrega();
    void Vd_DeEmissaoInv();
    void Vd_AteEmissaoInv();
    void Vd_DeEntregaInv();
    void Vd_AteEntregaInv();
    void Vd_StatusPedido();
    void Vd_StatusItemPedido();
    void Vd_Lista();
    void Vd_Prioridade();

    // The "Lista" pickers, run by their buttons or by F9 on their "Lista" radio button.
    void sbtNrPedidoClick(ui::Control& sender);
    void sbtClienteClick(ui::Control& sender);
    void sbtProdutoClick(ui::Control& sender);
    void sbtVendedorClick(ui::Control& sender);
    void rbtLNrPedidoKeyDown(ui::Control& sender, int& key, ui::ShiftState shift);
    void rbtLClienteKeyDown(ui::Control& sender, int& key, ui::ShiftState shift);
    void rbtLProdutoKeyDown(ui::Control& sender, int& key, ui::ShiftState shift);
    void rbtLVendedorKeyDown(ui::Control& sender, int& key, ui::ShiftState shift);
    void qryClienteNRINSJURCLIEGetText(data::Field& sender, std::string& text, bool displayText);
    void qryProdutoCDARVPRODGetText(data::Field& sender, std::string& text, bool displayText);
    void qryProdutoBeforeOpen(data::DataSet& sender);

private:
    void DefineOrderNumberGroup();
    void DefineSituationGroups();
    void DefineListGroups();
    void DefineDateGroups();
    void DefinePriorityGroup();
    void DefineButtons();
    void DefineMessages();
    void DefineQueries();
    // The order-number list of the branch, from the server; remembered in STCDFILIAL.
    void CarregaNrPedido(const std::string& branch);
    void CarregaOperTPed(TfrmCancelaPed& screen, RdmCancelaPedido& rdm);
    void CarregaPacoteNrPedido(const RemoteResult& result);
    // Shows the message under the key with the focus on the control, and abandons the handler.
    void ErroComFoco(const std::string& key, ui::Control& control);
    void BindEvents();
    void BindPickers();

    // Activation, in its steps.
    void ApplySellerRestriction();
    void RestoreOrderNumbers();
    void RestoreBoxes();
    void RestoreLists();
    // Clears both interval edits without their change handlers selecting "Intervalo".
    void ClearInterval();
    void SetIntervalColor(ui::Color color);
    // Confirmation, in its steps.
    void ValidateAll();
    void ValidateDateGroup(bool delivery);
    // The date check of one date edit, in its two stages.
    void ValidateDate(TDateEditPlus& edit);
    void FillListParameters();
    void FillCodeParameters();
    void FillDateAndNumberParameters();
    void StoreFilter();
    // True when the operator sees only his own seller's orders; asks the server unless the
    // branch parameters already say so.
    bool RestrictedToOwnSeller();
    // The seller code of the logged operator, or the empty text when he has none.
    std::string OperatorSeller();

    bool m_clearingInterval = false;
};
