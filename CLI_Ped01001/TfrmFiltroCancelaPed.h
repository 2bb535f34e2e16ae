#pragma once

#include "TADOIBQuery.h"
#include "TClientDataSet.h"
#include "TDataSource.h"
#include "TDateEditPlus.h"
#include "TfrmFiltroPadrao.h"
#include "ui/CheckBox.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"

#include <string>

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
    TClientDataSet& cdsNrPedido;
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

private:
    void DefineOrderNumberGroup();
    void DefineSituationGroups();
    void DefineListGroups();
    void DefineDateGroups();
    void DefinePriorityGroup();
    void DefineButtons();
    void DefineMessages();
    void DefineQueries();
};
