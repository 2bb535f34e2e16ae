// The form definition of the order print screen: its controls, their places and the events
// bound to the handlers.
#include "CLI_Ped01100/Cli_ped01100.h"
#include "CLI_Ped01100/TfrmRelPedido.h"
#include "Morvale.h"

TfrmRelPedido::TfrmRelPedido()
    : ui::Form("frmRelPedido"), lblModo(Add<ui::Label>("lblModo")), lblCodTela(Add<ui::Label>("lblCodTela")),
      grbFiltro(Add<ui::GroupBox>("grbFiltro")), lblFilial(grbFiltro.Add<ui::Label>("lblFilial")),
      medCdFilial(grbFiltro.Add<ui::MaskEdit>("medCdFilial")),
      btnFilial(grbFiltro.Add<TBtnPesquisa>("btnFilial")),
      edtNmFilial(grbFiltro.Add<ui::Edit>("edtNmFilial")), lblEmissao(grbFiltro.Add<ui::Label>("lblEmissao")),
      depDeEmissao(grbFiltro.Add<TDateEditPlus>("depDeEmissao")), lblAte(grbFiltro.Add<ui::Label>("lblAte")),
      depAteEmissao(grbFiltro.Add<TDateEditPlus>("depAteEmissao")),
      grbSituacao(grbFiltro.Add<ui::GroupBox>("grbSituacao")),
      chbPendente(grbSituacao.Add<ui::CheckBox>("chbPendente")),
      chbAndamento(grbSituacao.Add<ui::CheckBox>("chbAndamento")),
      chbParcial(grbSituacao.Add<ui::CheckBox>("chbParcial")),
      chbLiquidado(grbSituacao.Add<ui::CheckBox>("chbLiquidado")),
      chbCancelado(grbSituacao.Add<ui::CheckBox>("chbCancelado")),
      lblVendedor(grbFiltro.Add<ui::Label>("lblVendedor")),
      edtCdVendedor(grbFiltro.Add<ui::Edit>("edtCdVendedor")),
      btnVendedor(grbFiltro.Add<TBtnPesquisa>("btnVendedor")),
      edtNmVendedor(grbFiltro.Add<ui::Edit>("edtNmVendedor")),
      chbItens(grbFiltro.Add<ui::CheckBox>("chbItens")),
      chbHistorico(grbFiltro.Add<ui::CheckBox>("chbHistorico")),
      btnVisualizar(Add<ui::Button>("btnVisualizar")), btnImprimir(Add<ui::Button>("btnImprimir")),
      btnSalvarPdf(Add<ui::Button>("btnSalvarPdf")), btnFechar(Add<ui::Button>("btnFechar")),
      msgPadrao(Create<TMessages>("msgPadrao")), qryFilial(Create<TADOIBQuery>("qryFilial")),
      qryPesqFilial(Create<TADOIBQuery>("qryPesqFilial")), qryVendedor(Create<TADOIBQuery>("qryVendedor")),
      qryPesqVendedor(Create<TADOIBQuery>("qryPesqVendedor")),
      qryOperTPed(Create<TADOIBQuery>("qryOperTPed")), qryVendLog(Create<TADOIBQuery>("qryVendLog")),
      dtsFilial(Create<TDataSource>("dtsFilial", &qryFilial)),
      dtsVendedor(Create<TDataSource>("dtsVendedor", &qryVendedor)),
      cdsRelPedido(Create<TMemDataSet>("cdsRelPedido")), cdsRelItem(Create<TMemDataSet>("cdsRelItem")),
      cdsRelHistorico(Create<TMemDataSet>("cdsRelHistorico")),
      netRelPedido(Create<TNetConnection>("netRelPedido")) {
    SetCaption("Impressão de Pedidos");
    SetBounds(0, 0, 560, 290);
    lblCodTela.SetCaption("PED01100");
    lblCodTela.SetBounds(496, 8, 56, 13);
    lblModo.SetBounds(8, 8, 400, 13);
    DefineFilter();
    DefineButtons();
    DefineMessages();
    DefineData();
    netRelPedido.SetServerName(std::string(TNetConnection::ReportServerName));
    netRelPedido.SetRaiseOnError(false);
    BindEvents();
}

TfrmRelPedido::~TfrmRelPedido() {
    // The controls hold this form's handlers; they go before the form's members do.
    DestroyOwnedComponents();
    if (frmRelPedido == this) {
        frmRelPedido = nullptr;
        boIdCriadoRel = false;
    }
}

void TfrmRelPedido::DefineFilter() {
    grbFiltro.SetCaption("Filtro");
    grbFiltro.SetBounds(8, 28, 430, 224);
    medCdFilial.SetEditMask(">aaaa;0; ");
    medCdFilial.SetColor(ui::clInfoBk);
    DefineLookup(
        {lblFilial, "Filial", medCdFilial, btnFilial, dtsFilial, "Não há filial cadastrada.", edtNmFilial},
        20);
    lblEmissao.SetCaption("Emissão");
    lblEmissao.SetBounds(12, 54, 52, 13);
    // Wide enough for a full date and the calendar button beside it.
    depDeEmissao.SetBounds(70, 50, 112, 21);
    lblAte.SetCaption("até");
    lblAte.SetBounds(190, 54, 20, 13);
    depAteEmissao.SetBounds(214, 50, 112, 21);
    DefineSituations();
    edtCdVendedor.SetCharCase(ui::CharCase::Upper);
    DefineLookup({lblVendedor, "Vendedor", edtCdVendedor, btnVendedor, dtsVendedor,
                  "Não há vendedor cadastrado.", edtNmVendedor},
                 156);
    chbItens.SetCaption("Incluir itens");
    chbItens.SetBounds(12, 194, 130, 17);
    chbHistorico.SetCaption("Incluir histórico");
    chbHistorico.SetBounds(160, 194, 150, 17);
}

void TfrmRelPedido::DefineLookup(const Lookup& lookup, int top) {
    lookup.label.SetCaption(lookup.caption);
    lookup.label.SetBounds(12, top + 4, 52, 13);
    lookup.code.SetMaxLength(4);
    lookup.code.SetBounds(70, top, 41, 21);
    lookup.button.SetHint("Pesquisar");
    lookup.button.SetBounds(113, top, 23, 22);
    lookup.button.SetAssociate(&lookup.code);
    lookup.button.SetTitle(lookup.caption);
    lookup.button.SetDataSource(&lookup.source);
    lookup.button.SetEmptyError(lookup.emptyError);
    lookup.name.SetBounds(138, top, 280, 21);
    lookup.name.SetReadOnly(true);
    lookup.name.SetEnabled(false);
}

void TfrmRelPedido::DefineSituations() {
    grbSituacao.SetCaption("Situação do pedido");
    grbSituacao.SetBounds(12, 80, 406, 64);
    const struct {
        ui::CheckBox& box;
        const char* caption;
        int left, top;
    } boxes[] = {{chbPendente, "Pendente", 12, 18},
                 {chbAndamento, "Em andamento", 130, 18},
                 {chbParcial, "Parcial", 270, 18},
                 {chbLiquidado, "Liquidado", 12, 40},
                 {chbCancelado, "Cancelado", 130, 40}};
    for (const auto& entry : boxes) {
        entry.box.SetCaption(entry.caption);
        entry.box.SetBounds(entry.left, entry.top, 120, 17);
        entry.box.SetChecked(true);
    }
}

void TfrmRelPedido::DefineButtons() {
    const struct {
        ui::Button& button;
        const char* caption;
        int top;
    } buttons[] = {{btnVisualizar, "Visualizar", 36},
                   {btnImprimir, "Imprimir", 68},
                   {btnSalvarPdf, "Salvar PDF", 100},
                   {btnFechar, "Fechar", 227}};
    for (const auto& entry : buttons) {
        entry.button.SetCaption(entry.caption);
        entry.button.SetBounds(448, entry.top, 100, 25);
    }
    btnFechar.SetCancel(true);
}

void TfrmRelPedido::BindEvents() {
    auto bind = [this](ui::Control::NotifyEvent& event, void (TfrmRelPedido::*handler)(ui::Control&)) {
        event = [this, handler](ui::Control& sender) { (this->*handler)(sender); };
    };
    bind(OnActivate, &TfrmRelPedido::FormActivate);
    OnClose = [this](ui::Form& sender, ui::CloseAction& action) { FormClose(sender, action); };
    bind(medCdFilial.OnChange, &TfrmRelPedido::medCdFilialChange);
    bind(medCdFilial.OnExit, &TfrmRelPedido::medCdFilialExit);
    bind(btnFilial.OnAfterPesq, &TfrmRelPedido::btnFilialAfterPesq);
    bind(edtCdVendedor.OnChange, &TfrmRelPedido::edtCdVendedorChange);
    bind(edtCdVendedor.OnExit, &TfrmRelPedido::edtCdVendedorExit);
    bind(btnVendedor.OnAfterPesq, &TfrmRelPedido::btnVendedorAfterPesq);
    bind(btnVisualizar.OnClick, &TfrmRelPedido::btnVisualizarClick);
    bind(btnImprimir.OnClick, &TfrmRelPedido::btnImprimirClick);
    bind(btnSalvarPdf.OnClick, &TfrmRelPedido::btnSalvarPdfClick);
    bind(btnFechar.OnClick, &TfrmRelPedido::btnFecharClick);
    netRelPedido.BeforeConnect = [](TNetConnection& connection) {
        connection.SetHost(Morvale::WebURL());
        connection.SetPort(Morvale::WebPort());
    };
}
