// The form definition of the order-cancellation screen: its controls, their properties and the
// events bound to the handlers.
#include "CLI_Ped01000/CheckImages.h"
#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"

namespace {

// The check column's title is a tick drawn with a symbol font.
const ui::Font checkTitleFont{"Monotype Sorts", 11, ui::clWindow, ui::Charset::Symbol, false};

void AddColumn(ui::DBGrid& grid, const std::string& field, int width, const std::string& title = {},
               data::Alignment titleAlignment = data::Alignment::Left) {
    ui::Column& column = grid.Columns().Add();
    column.SetFieldName(field);
    column.SetWidth(width);
    column.SetTitleCaption(title);
    column.SetTitleAlignment(titleAlignment);
}

void AddCheckColumn(ui::DBGrid& grid) {
    AddColumn(grid, "IDCHECK", 18, "4");
    grid.Columns().Item(0).SetTitleFont(checkTitleFont);
}

void DefineImage(ui::Image& image, CheckImage kind, int left) {
    image.SetBitmap(MakeCheckImage(kind));
    image.SetBounds(left, 7, 16, 16);
    image.SetVisible(false);
}

} // namespace

TfrmCancelaPed::TfrmCancelaPed()
    : TfrmPadraoGrid("frmCancelaPed"), sbtFiltro(panMenu.Add<ui::SpeedButton>("sbtFiltro")),
      imgCheck(panMenu.Add<ui::Image>("imgCheck")), imgDescheck(panMenu.Add<ui::Image>("imgDescheck")),
      imgUncheck(panMenu.Add<ui::Image>("imgUncheck")), panFilial(Add<ui::Panel>("panFilial")),
      lblFilial(panFilial.Add<ui::Label>("lblFilial")),
      medCdFilial(panFilial.Add<ui::MaskEdit>("medCdFilial")),
      btnFilial(panFilial.Add<TBtnPesquisa>("btnFilial")),
      edtNmFilial(panFilial.Add<ui::Edit>("edtNmFilial")),
      tshItemPedido(pgcPadrao.Add<ui::TabSheet>("tshItemPedido")),
      dbgItemPedido(tshItemPedido.Add<ui::DBGrid>("dbgItemPedido")),
      tshJustExcl(pgcPadrao.Add<ui::TabSheet>("tshJustExcl")),
      grbJustExcl(tshJustExcl.Add<ui::GroupBox>("grbJustExcl")),
      edtCdJust(grbJustExcl.Add<ui::Edit>("edtCdJust")), btnJust(grbJustExcl.Add<TBtnPesquisa>("btnJust")),
      edtDsJust(grbJustExcl.Add<ui::Edit>("edtDsJust")), mnuPedido(mnuOperacao.Add("mnuPedido", "&Pedidos")),
      mnuItemPedido(mnuOperacao.Add("mnuItemPedido", "It&ens do Pedido")),
      mnuJustExcl(mnuOperacao.Add("mnuJustExcl", "&Justificativa de Exclusão")),
      mnuLinha1(mnuOperacao.AddSeparator("mnuLinha1")), mnuLinha4(mnuManutencao.AddSeparator("mnuLinha4")),
      mnuFiltrar(mnuManutencao.Add("mnuFiltrar", "Fi&ltrar")),
      ppmItemPedido(Create<ui::PopupMenu>("ppmItemPedido")),
      mnuCanc(ppmItemPedido.Items().Add("mnuCanc", "Cancelamento")),
      mnuExclCanc(ppmItemPedido.Items().Add("mnuExclCanc", "Exclusão do Cancelamento")),
      cdsParamPedido(Create<TMemDataSet>("cdsParamPedido")), cdsPedido(Create<TMemDataSet>("cdsPedido")),
      cdsItemPedido(Create<TMemDataSet>("cdsItemPedido")),
      cdsItemPedidoSemFiltro2(Create<TMemDataSet>("cdsItemPedidoSemFiltro2")),
      cdsItemPedidoSemFiltro(Create<TMemDataSet>("cdsItemPedidoSemFiltro")),
      cdsOperTPed(Create<TMemDataSet>("cdsOperTPed")), qryFilial(Create<TADOIBQuery>("qryFilial")),
      qryPesqFilial(Create<TADOIBQuery>("qryPesqFilial")), qryJustExcl(Create<TADOIBQuery>("qryJustExcl")),
      qryPesqJust(Create<TADOIBQuery>("qryPesqJust")),
      dtsPedido(Create<TDataSource>("dtsPedido", &cdsPedido)),
      dtsItemPedido(Create<TDataSource>("dtsItemPedido", &cdsItemPedido)),
      dtsFilial(Create<TDataSource>("dtsFilial", &qryFilial)),
      dtsJustExcl(Create<TDataSource>("dtsJustExcl", &qryJustExcl)),
      dtsOperTPed(Create<TDataSource>("dtsOperTPed", &cdsOperTPed)),
      netCancelaPed(Create<TNetConnection>("netCancelaPed")),
      lblInfoPedido(panNavigator.Add<ui::Label>("lblInfoPedido")),
      sbtSimular(panMenu.Add<ui::SpeedButton>("sbtSimular")),
      mnuSimular(mnuManutencao.Add("mnuSimular", "&Simular")) {
    SetCaption("Cancelamento do Pedido");
    SetBounds(0, 0, 752, 429);
    SetHelpFile("PEDHelp.hlp");
    SetHelpContext(12201000);
    lblCodTela.SetCaption("PED01000");
    DefineToolBar();
    DefineBranchPanel();
    DefinePages();
    DefineMenus();
    DefineMessages();
    DefineDataSets();
    DefineQueries();
    netCancelaPed.SetServerName(std::string(TNetConnection::KnownServerName));
    netCancelaPed.SetRaiseOnError(false);
    BindEvents();
}

TfrmCancelaPed::~TfrmCancelaPed() {
    // Whatever order the components go in, nothing may reach the information line or the Simular
    // controls once they are gone.
    dtsPedido.Unsubscribe(m_infoSubscription);
    sbtConfirmar.Unsubscribe(m_confirmSubscription);
    // The controls hold this form's handlers; they go before the form's members do.
    DestroyOwnedComponents();
    if (frmCancelaPed == this)
        frmCancelaPed = nullptr;
}

void TfrmCancelaPed::DefineToolBar() {
    // The filter button takes the tool bar's first free slot, after the base form's buttons.
    sbtFiltro.SetBounds(220, 3, 25, 25);
    sbtFiltro.SetHint("Filtrar");
    sbtFiltro.SetGlyph(ui::Glyph::Filter);
    sbtFiltro.SetEnabled(false);
    sbtSimular.SetBounds(247, 3, 25, 25);
    sbtSimular.SetHint("Simular");
    sbtSimular.SetGlyph(ui::Glyph::Simulate);
    DefineImage(imgCheck, CheckImage::Check, 600);
    DefineImage(imgDescheck, CheckImage::Descheck, 620);
    DefineImage(imgUncheck, CheckImage::Uncheck, 640);
}

void TfrmCancelaPed::DefineBranchPanel() {
    panFilial.SetBounds(0, 30, 744, 33);
    lblFilial.SetCaption("Filial");
    lblFilial.SetBounds(8, 10, 26, 13);
    medCdFilial.SetEditMask(">aaaa;0; ");
    medCdFilial.SetMaxLength(4);
    medCdFilial.SetColor(ui::clInfoBk);
    medCdFilial.SetBounds(40, 6, 41, 21);
    btnFilial.SetHint("Pesquisar");
    btnFilial.SetBounds(83, 6, 23, 22);
    btnFilial.SetAssociate(&medCdFilial);
    btnFilial.SetTitle("Filial");
    btnFilial.SetDataSource(&dtsFilial);
    btnFilial.SetEmptyError("Não há filial cadastrada.");
    edtNmFilial.SetBounds(108, 6, 250, 21);
    edtNmFilial.SetReadOnly(true);
    edtNmFilial.SetEnabled(false);
    // Display only: Tab and Enter go from the code straight out of the panel.
    edtNmFilial.SetTabStop(false);
}

void TfrmCancelaPed::DefinePages() {
    pgcPadrao.SetBounds(0, 63, 744, 286);
    tshPadrao.SetCaption("Pedidos");
    tshItemPedido.SetCaption("Itens do Pedido");
    tshJustExcl.SetCaption("Justificativa");
    dbgPadrao.SetDataSource(&dtsPedido);
    dbgPadrao.SetReadOnly(true);
    dbgPadrao.SetOptions({true, true, true});
    dbgPadrao.SetBounds(0, 0, 736, 258);
    DefineOrderColumns();
    dbgItemPedido.SetDataSource(&dtsItemPedido);
    dbgItemPedido.SetReadOnly(true);
    dbgItemPedido.SetOptions({true, true, true});
    dbgItemPedido.SetColor(ui::clInfoBk);
    dbgItemPedido.SetBounds(0, 0, 736, 258);
    DefineItemColumns();
    grbJustExcl.SetCaption("Justificativa");
    grbJustExcl.SetBounds(8, 8, 420, 57);
    edtCdJust.SetCharCase(ui::CharCase::Upper);
    edtCdJust.SetMaxLength(4);
    edtCdJust.SetBounds(12, 22, 41, 21);
    btnJust.SetHint("Pesquisar");
    btnJust.SetBounds(55, 22, 23, 22);
    btnJust.SetAssociate(&edtCdJust);
    btnJust.SetTitle("Justificativa de Exclusão do Historico");
    btnJust.SetDataSource(&dtsJustExcl);
    btnJust.SetEmptyError("Não há justificativa de exclusão cadastrada.");
    edtDsJust.SetBounds(80, 22, 330, 21);
    edtDsJust.SetEnabled(false);
    panNavigator.SetBounds(0, 349, 744, 33);
    dbtNome.SetDataSource(&dtsPedido);
    dbtNome.SetDataField("INFPED");
    // The order's summary and, under it, its information line share the space left of the navigator.
    dbtNome.SetBounds(8, 2, 500, 15);
    lblInfoPedido.SetBounds(8, 18, 585, 13);
    dbnPadrao.SetDataSource(&dtsPedido);
    dbnPadrao.SetBounds(600, 4, 136, 25);
}

void TfrmCancelaPed::DefineOrderColumns() {
    AddCheckColumn(dbgPadrao);
    AddColumn(dbgPadrao, "IDSITPEDIDO", 24);
    AddColumn(dbgPadrao, "NRPEDIDO", 80);
    AddColumn(dbgPadrao, "NMFANTCLIE", 315);
    AddColumn(dbgPadrao, "DTPEDIDO", 80);
    AddColumn(dbgPadrao, "DTENTPED", 85);
    AddColumn(dbgPadrao, "NREMPENHO", LarguraEmpenho);
}

void TfrmCancelaPed::DefineItemColumns() {
    constexpr auto right = data::Alignment::Right;
    AddCheckColumn(dbgItemPedido);
    AddColumn(dbgItemPedido, "IDSITITEMPED", 24, "Sit.");
    AddColumn(dbgItemPedido, "NRITEMPED", 80);
    AddColumn(dbgItemPedido, "CDARVPROD", 79);
    AddColumn(dbgItemPedido, "NMPRODUTO", 158);
    AddColumn(dbgItemPedido, "QTITEMPED", 64, "Quantidade", right);
    AddColumn(dbgItemPedido, "SGUNIDADE", 28, "Un.");
    AddColumn(dbgItemPedido, "VRPREUNITPED", 74, "Preço Unitário", right);
    AddColumn(dbgItemPedido, "VrTotal", 64, "Valor Total", right);
}

void TfrmCancelaPed::DefineMenus() {
    mnuPedido.SetChecked(true);
    for (ui::MenuItem* item :
         {&mnuIncluir, &mnuAlterar, &mnuExcluir, &mnuProcurar, &mnuVerificar, &mnuLinha3})
        item->SetEnabled(false);
    mnuFiltrar.SetShortCut("Ctrl+L");
    mnuFiltrar.SetGlyph(ui::Glyph::Filter);
    mnuSimular.SetGlyph(ui::Glyph::Simulate);
}

void TfrmCancelaPed::BindEvents() {
    auto bind = [this](ui::Control& control, void (TfrmCancelaPed::*handler)(ui::Control&)) {
        control.OnClick = [this, handler](ui::Control& sender) { (this->*handler)(sender); };
    };
    bind(mnuPedido, &TfrmCancelaPed::mnuPedidoClick);
    bind(mnuItemPedido, &TfrmCancelaPed::mnuItemPedidoClick);
    bind(mnuJustExcl, &TfrmCancelaPed::mnuJustExclClick);
    bind(sbtFiltro, &TfrmCancelaPed::sbtFiltroClick);
    bind(mnuFiltrar, &TfrmCancelaPed::mnuFiltrarClick);
    OnActivate = [this](ui::Control& sender) { FormActivate(sender); };
    pgcPadrao.OnChange = [this](ui::Control& sender) { pgcPadraoChange(sender); };
    panFilial.OnExit = [this](ui::Control& sender) { panFilialExit(sender); };
    panFilial.OnEnter = [this](ui::Control& sender) { panFilialEnter(sender); };
    medCdFilial.OnChange = [this](ui::Control& sender) { medCdFilialChange(sender); };
    medCdFilial.OnExit = [this](ui::Control& sender) { medCdFilialExit(sender); };
    btnFilial.OnBeforePesq = [this](ui::Control& sender) { btnFilialBeforePesq(sender); };
    btnFilial.OnAfterPesq = [this](ui::Control& sender) { btnFilialAfterPesq(sender); };
    cdsPedido.AfterOpen = [this](data::DataSet& sender) { cdsPedidoAfterOpen(sender); };
    cdsPedido.AfterScroll = [this](data::DataSet& sender) { cdsPedidoAfterScroll(sender); };
    cdsItemPedido.AfterOpen = [this](data::DataSet& sender) { cdsItemPedidoAfterOpen(sender); };
    netCancelaPed.BeforeConnect = [this](TNetConnection& sender) { netCancelaPedBeforeConnect(sender); };
    dbgPadrao.OnCellClick = [this](ui::Column& column) { dbgPadraoCellClick(column); };
    dbgPadrao.OnTitleClick = [this](ui::Column& column) { dbgPadraoTitleClick(column); };
    dbgItemPedido.OnCellClick = [this](ui::Column& column) { dbgItemPedidoCellClick(column); };
    dbgItemPedido.OnTitleClick = [this](ui::Column& column) { dbgItemPedidoTitleClick(column); };
    dbgItemPedido.OnKeyDown = [this](ui::Control& sender, int& key, ui::ShiftState shift) {
        dbgItemPedidoKeyDown(sender, key, shift);
    };
    bind(mnuCanc, &TfrmCancelaPed::mnuCancClick);
    bind(mnuExclCanc, &TfrmCancelaPed::mnuExclCancClick);
    bind(sbtImprimir, &TfrmCancelaPed::sbtImprimirClick);
    bind(sbtSimular, &TfrmCancelaPed::sbtSimularClick);
    bind(mnuSimular, &TfrmCancelaPed::sbtSimularClick);
    // Simulating is offered exactly while confirming is, whoever enables or disables the latter.
    const auto followConfirm = [this](ui::Control& confirm, ui::Property property) {
        if (property != ui::Property::Enabled)
            return;
        sbtSimular.SetEnabled(confirm.Enabled());
        mnuSimular.SetEnabled(confirm.Enabled());
    };
    m_confirmSubscription = sbtConfirmar.Subscribe(followConfirm);
    followConfirm(sbtConfirmar, ui::Property::Enabled);
    // The information line shows the order the grid shows, however the cursor moves or the
    // orders open and close, as a data-aware control would.
    m_infoSubscription = dtsPedido.Subscribe([this](data::DataSetChange) { MostraInfoPedido(); });
    btnJust.OnAfterPesq = [this](ui::Control& sender) { btnJustAfterPesq(sender); };
    edtCdJust.OnChange = [this](ui::Control& sender) { edtCdJustChange(sender); };
    edtCdJust.OnExit = [this](ui::Control& sender) { edtCdJustExit(sender); };
    dbgPadrao.OnDrawColumnCell = [this](ui::DBGrid& sender, const ui::Rect& rect, int dataCol,
                                        ui::Column& column, ui::GridDrawState state) {
        dbgPadraoDrawColumnCell(sender, rect, dataCol, column, state);
    };
    dbgItemPedido.OnDrawColumnCell = [this](ui::DBGrid& sender, const ui::Rect& rect, int dataCol,
                                            ui::Column& column, ui::GridDrawState state) {
        dbgItemPedidoDrawColumnCell(sender, rect, dataCol, column, state);
    };
    cdsItemPedido.OnCalcFields = [this](data::DataSet& dataSet) { cdsItemPedidoCalcFields(dataSet); };
}
