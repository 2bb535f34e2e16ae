#pragma once

#include "CLI_Ped01000/OrderInfoLine.h"
#include "CLI_Ped01000/OrderItemsPrefetch.h"
#include "RemoteResult.h"
#include "TADOIBQuery.h"
#include "TBtnPesquisa.h"
#include "TDataSource.h"
#include "TMemDataSet.h"
#include "TNetConnection.h"
#include "TfrmPadraoGrid.h"
#include "ui/DBGrid.h"
#include "ui/Edit.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/SpeedButton.h"
#include "ui/TabSheet.h"

#include <functional>
#include <string_view>

// "Cancelamento do Pedido" (PED01000): the operator picks a branch, filters its orders, marks
// orders or items and cancels them. The form definition lives in TfrmCancelaPedLayout.cpp and
// TfrmCancelaPedData.cpp; this header's handlers are in TfrmCancelaPed.cpp.
class TfrmCancelaPed : public TfrmPadraoGrid {
public:
    TfrmCancelaPed();
    ~TfrmCancelaPed() override;

    // Tool bar additions.
    ui::SpeedButton& sbtFiltro;
    ui::Image& imgCheck;
    ui::Image& imgDescheck;
    ui::Image& imgUncheck;

    // Branch panel.
    ui::Panel& panFilial;
    ui::Label& lblFilial;
    ui::MaskEdit& medCdFilial;
    TBtnPesquisa& btnFilial;
    ui::Edit& edtNmFilial;

    // Items and justification pages.
    ui::TabSheet& tshItemPedido;
    ui::DBGrid& dbgItemPedido;
    ui::TabSheet& tshJustExcl;
    ui::GroupBox& grbJustExcl;
    ui::Edit& edtCdJust;
    TBtnPesquisa& btnJust;
    ui::Edit& edtDsJust;

    // Menu additions and the items grid's popup.
    ui::MenuItem& mnuPedido;
    ui::MenuItem& mnuItemPedido;
    ui::MenuItem& mnuJustExcl;
    ui::MenuItem& mnuLinha1;
    ui::MenuItem& mnuLinha4;
    ui::MenuItem& mnuFiltrar;
    ui::PopupMenu& ppmItemPedido;
    ui::MenuItem& mnuCanc;
    ui::MenuItem& mnuExclCanc;

    // Datasets filled from the application server.
    TMemDataSet& cdsParamPedido;
    TMemDataSet& cdsPedido;
    TMemDataSet& cdsItemPedido;
    TMemDataSet& cdsItemPedidoSemFiltro2;
    TMemDataSet& cdsItemPedidoSemFiltro;
    TMemDataSet& cdsOperTPed;

    // Lookup queries on the shared database.
    TADOIBQuery& qryFilial;
    TADOIBQuery& qryPesqFilial;
    TADOIBQuery& qryJustExcl;
    TADOIBQuery& qryPesqJust;

    TDataSource& dtsPedido;
    TDataSource& dtsItemPedido;
    TDataSource& dtsFilial;
    TDataSource& dtsJustExcl;
    TDataSource& dtsOperTPed;

    TNetConnection& netCancelaPed;

    // Before acting: the current order's information line beside the navigator, and the dry run
    // of what confirming would send (enabled exactly while the confirm command is).
    ui::Label& lblInfoPedido;
    ui::SpeedButton& sbtSimular;
    ui::MenuItem& mnuSimular;

    void FormCreate(ui::Control& sender) override;
    void FormActivate(ui::Control& sender);
    void FormClose(ui::Form& sender, ui::CloseAction& action) override;
    void pgcPadraoChange(ui::Control& sender);
    void mnuPedidoClick(ui::Control& sender);
    void mnuItemPedidoClick(ui::Control& sender);
    void mnuJustExclClick(ui::Control& sender);
    // This screen's edit button and data-source state do nothing.
    void dtsPadraoStateChange(data::DataSource& sender) override;
    void sbtAlterarClick(ui::Control& sender) override;
    void netCancelaPedBeforeConnect(TNetConnection& sender);

    // Branch panel (TfrmCancelaPedBranch.cpp).
    void medCdFilialChange(ui::Control& sender);
    void medCdFilialExit(ui::Control& sender);
    void Vd_CdFilial();
    void btnFilialBeforePesq(ui::Control& sender);
    void btnFilialAfterPesq(ui::Control& sender);
    void panFilialEnter(ui::Control& sender);
    void panFilialExit(ui::Control& sender);

    // Loading orders and items (TfrmCancelaPedLoad.cpp).
    void sbtVerificarClick(ui::Control& sender) override;
    void cdsPedidoAfterOpen(data::DataSet& sender);
    void cdsItemPedidoAfterOpen(data::DataSet& sender);
    void cdsPedidoAfterScroll(data::DataSet& sender);
    // Marks the orders the operator may not select; run by cdsPedidoAfterOpen.
    void DesabilitacaoDefaultPed();
    void sbtFiltroClick(ui::Control& sender);
    void mnuFiltrarClick(ui::Control& sender);
    // Derives the enabled state of commands, pages, menu items, navigator and branch panel from
    // the selection counters, the orders and the focus.
    void Habilita();

    // Grid painting and the items' display values.
    void dbgPadraoDrawColumnCell(ui::DBGrid& sender, const ui::Rect& rect, int dataCol, ui::Column& column,
                                 ui::GridDrawState state);
    void dbgItemPedidoDrawColumnCell(ui::DBGrid& sender, const ui::Rect& rect, int dataCol,
                                     ui::Column& column, ui::GridDrawState state);
    void cdsItemPedidoCalcFields(data::DataSet& dataSet);
    // Not bound to the field: the items grid formats the tree code itself.
    void cdsItemPedidoCDARVPRODGetText(data::Field& sender, std::string& text, bool displayText);
    // A product tree code through the host's tree-code mask.
    static std::string FormataArvProd(const std::string& cdArvProd);

    // Row selection: check marks in the first column of the two grids (TfrmCancelaPedSelection.cpp).
    void dbgPadraoCellClick(ui::Column& column);
    void dbgPadraoKeyDown(ui::Control& sender, int& key, ui::ShiftState shift) override;
    void dbgPadraoTitleClick(ui::Column& column);
    bool AlgumDeschPedido();
    void LimpezaPedido();
    void dbgItemPedidoCellClick(ui::Column& column);
    void dbgItemPedidoKeyDown(ui::Control& sender, int& key, ui::ShiftState shift);
    void dbgItemPedidoTitleClick(ui::Column& column);
    bool AlgumDeschItemPedido();
    void LimpezaItemPedido();
    bool TodosMesmaSitItemPed();
    void Deschecar();

    // What the operator does with a selection (TfrmCancelaPedCommands.cpp).
    void mnuCancClick(ui::Control& sender);
    void mnuExclCancClick(ui::Control& sender);
    void sbtConfirmarClick(ui::Control& sender) override;
    void sbtCancelarClick(ui::Control& sender) override;
    void sbtImprimirClick(ui::Control& sender);
    void btnJustAfterPesq(ui::Control& sender);
    void edtCdJustChange(ui::Control& sender);
    void edtCdJustExit(ui::Control& sender);
    void Vd_Check();
    void Vd_JustExcl(bool required);
    // Validates like the confirm command, asks the server what that command would do and shows it;
    // nothing is changed and the selection stays (TfrmCancelaPedBeforeActing.cpp).
    void sbtSimularClick(ui::Control& sender);

private:
    // The commitment number's column: "2024NE000105" and its title fit, and with it every column
    // of the orders grid fits its width beside the vertical scroll bar.
    static constexpr int LarguraEmpenho = 100;

    void DefineToolBar();
    void DefineBranchPanel();
    void DefinePages();
    void DefineOrderColumns();
    void DefineItemColumns();
    void DefineMenus();
    void DefineMessages();
    void DefineDataSets();
    void DefineQueries();
    void BindEvents();
    // Makes the page active from code (which runs no page event) and runs the page change.
    void ShowPage(ui::TabSheet& page);
    void LoadItemsOfCurrentOrder();
    // GetPedido with the filter dialog's twenty parameters, into cdsPedido.
    void LoadOrders();
    // The orders of cdsPedido in load order, with what the load check reads of them.
    std::vector<OrderItemsPrefetch::Order> LoadedOrders();
    // Takes the current order's items (from the load's prefetch, else from the server) and applies
    // the first load rule that matches it; true when the order counts as disabled. The items are
    // loaded into cdsItemPedido for the last order of the walk and for an order asked on its own.
    bool CheckOrder(OrderItemsPrefetch& prefetch, bool last);
    // The load rules for the current order, given whether it has items and a look-up of its items'
    // situations.
    bool ApplyLoadRule(bool noItems, const std::function<bool(std::string_view)>& anyItemIn,
                       const OrderItemsPrefetch& prefetch);
    // GetItemPedidoSemFiltro2 for the current order (prefetched, else asked): items that block its
    // cancellation.
    bool HasBlockingItems(const OrderItemsPrefetch& prefetch);
    bool AnyItemIn(std::string_view situations);
    void SetOrderCheck(const std::string& idCheck);
    // The check part of the orders' title click; the sorting follows it.
    void CheckAllPedidos(const ui::Column& column);
    // Disables the items outside the situation group of the first checked item.
    void DisableOtherItemGroup();
    // Checks every item of one situation group and disables those of the other (popup modes).
    void ChooseItemMode(const std::string& mode);
    // The confirm command's remote calls, each followed by the reload.
    void CancelCheckedOrders();
    void SendCheckedItems(bool undo);
    // The remote call confirming sends for the current selection, decided in one place for the
    // confirm command and its dry run.
    enum class Comando { CancelaPedidos, CancelaItens, DesfazCancelamento, Nenhum };
    Comando ComandoPendente() const;
    // Sends the command's call, or its dry run, with the arguments confirming sends.
    RemoteResult EnviaComando(Comando comando, bool simulacao);
    // Reads the information line of the loaded orders, then shows the current order's.
    void LeInfoPedidos();
    void MostraInfoPedido();
    // The status bar: the summary of loaded and checked rows, and why a click on the current
    // order was refused (the editing user, or that it cannot be selected).
    void MostraResumo();
    void MostraRecusaPedido();

    // Orders the orders by the column's field when it is one of the sortable ones.
    void OrdenaPedido(const ui::Column& column);
    const ui::Image* OrderCheckImage() const;
    const ui::Image* ItemCheckImage() const;
    const ui::Image* CheckImageOf(const std::string& idCheck) const;

    bool boPrimVezAtivacao = false;
    OrderInfoLine m_infoLine;
    int m_infoSubscription = 0;
    int m_confirmSubscription = 0;
};
