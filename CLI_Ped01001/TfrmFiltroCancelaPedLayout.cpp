// The form definition of the filter dialog: its controls and their properties.
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"

#include <initializer_list>

namespace {

void Place(ui::Control& control, int left, int top, int width, int height, const std::string& caption = {}) {
    control.SetBounds(left, top, width, height);
    if (!caption.empty())
        control.SetCaption(caption);
}

// Check boxes and radio buttons that come up checked.
template <class Box> void PlaceChecked(Box& box, int left, int top, int width, const std::string& caption) {
    Place(box, left, top, width, 17, caption);
    box.SetChecked(true);
}

void DefinePicker(ui::SpeedButton& button, int left, int top) {
    Place(button, left, top, 23, 22);
    button.SetHint("Pesquisar");
    button.SetGlyph(ui::Glyph::Search);
    button.SetEnabled(false);
}

// Wide enough for a full date and the calendar button beside it.
void DefineDateEdit(TDateEditPlus& edit, int top) {
    Place(edit, 34, top, 112, 21);
    edit.SetValidDateColor(ui::clBlue);
    edit.SetDayNames({"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"});
}

} // namespace

TfrmFiltroCancelaPed::TfrmFiltroCancelaPed()
    : TfrmFiltroPadrao("frmFiltroCancelaPed"), grbNrPedido(Add<ui::GroupBox>("grbNrPedido")),
      rbtTNrPedido(grbNrPedido.Add<ui::RadioButton>("rbtTNrPedido")),
      rbtIntervalo(grbNrPedido.Add<ui::RadioButton>("rbtIntervalo")),
      rbtLNrPedido(grbNrPedido.Add<ui::RadioButton>("rbtLNrPedido")),
      lblDeNrPedido(grbNrPedido.Add<ui::Label>("lblDeNrPedido")),
      medDeIntervalo(grbNrPedido.Add<ui::MaskEdit>("medDeIntervalo")),
      lblAteNrPedido(grbNrPedido.Add<ui::Label>("lblAteNrPedido")),
      medAteIntervalo(grbNrPedido.Add<ui::MaskEdit>("medAteIntervalo")),
      sbtNrPedido(grbNrPedido.Add<ui::SpeedButton>("sbtNrPedido")), grbPedido(Add<ui::GroupBox>("grbPedido")),
      chbPPendente(grbPedido.Add<ui::CheckBox>("chbPPendente")),
      chbPAndamento(grbPedido.Add<ui::CheckBox>("chbPAndamento")),
      chbPLiquidado(grbPedido.Add<ui::CheckBox>("chbPLiquidado")),
      chbPCancelado(grbPedido.Add<ui::CheckBox>("chbPCancelado")),
      chbPParcialmente(grbPedido.Add<ui::CheckBox>("chbPParcialmente")),
      grbItemPedido(Add<ui::GroupBox>("grbItemPedido")),
      chbIPendente(grbItemPedido.Add<ui::CheckBox>("chbIPendente")),
      chbIConfirmado(grbItemPedido.Add<ui::CheckBox>("chbIConfirmado")),
      chbIAprovado(grbItemPedido.Add<ui::CheckBox>("chbIAprovado")),
      chbILiquidado(grbItemPedido.Add<ui::CheckBox>("chbILiquidado")),
      chbICancelado(grbItemPedido.Add<ui::CheckBox>("chbICancelado")),
      chbIParcialmente(grbItemPedido.Add<ui::CheckBox>("chbIParcialmente")),
      grbCliente(Add<ui::GroupBox>("grbCliente")),
      rbtTCliente(grbCliente.Add<ui::RadioButton>("rbtTCliente")),
      rbtLCliente(grbCliente.Add<ui::RadioButton>("rbtLCliente")),
      sbtCliente(grbCliente.Add<ui::SpeedButton>("sbtCliente")), grbProduto(Add<ui::GroupBox>("grbProduto")),
      rbtTProduto(grbProduto.Add<ui::RadioButton>("rbtTProduto")),
      rbtLProduto(grbProduto.Add<ui::RadioButton>("rbtLProduto")),
      sbtProduto(grbProduto.Add<ui::SpeedButton>("sbtProduto")),
      grbVendedor(Add<ui::GroupBox>("grbVendedor")),
      rbtTVendedor(grbVendedor.Add<ui::RadioButton>("rbtTVendedor")),
      rbtLVendedor(grbVendedor.Add<ui::RadioButton>("rbtLVendedor")),
      sbtVendedor(grbVendedor.Add<ui::SpeedButton>("sbtVendedor")),
      grbEmissao(Add<ui::GroupBox>("grbEmissao")), lblDeEmissao(grbEmissao.Add<ui::Label>("lblDeEmissao")),
      depDeEmissao(grbEmissao.Add<TDateEditPlus>("depDeEmissao")),
      lblAteEmissao(grbEmissao.Add<ui::Label>("lblAteEmissao")),
      depAteEmissao(grbEmissao.Add<TDateEditPlus>("depAteEmissao")),
      grbEntrega(Add<ui::GroupBox>("grbEntrega")), lblDeEntrega(grbEntrega.Add<ui::Label>("lblDeEntrega")),
      depDeEntrega(grbEntrega.Add<TDateEditPlus>("depDeEntrega")),
      lblAteEntrega(grbEntrega.Add<ui::Label>("lblAteEntrega")),
      depAteEntrega(grbEntrega.Add<TDateEditPlus>("depAteEntrega")),
      grbPrioridade(Add<ui::GroupBox>("grbPrioridade")),
      chbNormal(grbPrioridade.Add<ui::CheckBox>("chbNormal")),
      chbAlta(grbPrioridade.Add<ui::CheckBox>("chbAlta")),
      chbUrgente(grbPrioridade.Add<ui::CheckBox>("chbUrgente")),
      sbtLimpa(panBotoes.Add<ui::SpeedButton>("sbtLimpa")), qryVendLog(Create<TADOIBQuery>("qryVendLog")),
      qryVendedor(Create<TADOIBQuery>("qryVendedor")), qryCliente(Create<TADOIBQuery>("qryCliente")),
      qryProduto(Create<TADOIBQuery>("qryProduto")), cdsNrPedido(Create<TMemDataSet>("cdsNrPedido")),
      dtsVendedor(Create<TDataSource>("dtsVendedor", &qryVendedor)),
      dtsCliente(Create<TDataSource>("dtsCliente", &qryCliente)),
      dtsProduto(Create<TDataSource>("dtsProduto", &qryProduto)),
      dtsNrPedido(Create<TDataSource>("dtsNrPedido", &cdsNrPedido)) {
    SetCaption("Filtro de Cancelamento");
    SetHelpFile("pedhelp.hlp");
    SetHelpContext(12201001);
    lblCodTela.SetCaption("PED01001");
    DefineOrderNumberGroup();
    DefineSituationGroups();
    DefineListGroups();
    DefineDateGroups();
    DefinePriorityGroup();
    DefineButtons();
    DefineMessages();
    DefineQueries();
    BindEvents();
    // The operator moves through the groups row by row.
    int tabOrder = 0;
    for (ui::Control* group : std::initializer_list<ui::Control*>{&grbNrPedido, &grbPedido, &grbItemPedido,
                                                                  &grbCliente, &grbProduto, &grbVendedor,
                                                                  &grbEmissao, &grbEntrega, &grbPrioridade})
        group->SetTabOrder(tabOrder++);
}

TfrmFiltroCancelaPed::~TfrmFiltroCancelaPed() {
    // The controls hold this form's handlers; they go before the form's members do.
    DestroyOwnedComponents();
    if (frmFiltroCancelaPed == this)
        frmFiltroCancelaPed = nullptr;
}

void TfrmFiltroCancelaPed::DefineOrderNumberGroup() {
    Place(grbNrPedido, 4, 4, 156, 143, "Nº Pedido");
    PlaceChecked(rbtTNrPedido, 8, 18, 60, "Todos");
    Place(rbtIntervalo, 8, 40, 70, 17, "Intervalo");
    Place(lblDeNrPedido, 24, 62, 14, 13, "de");
    Place(medDeIntervalo, 44, 58, 80, 21);
    Place(lblAteNrPedido, 24, 86, 18, 13, "até");
    Place(medAteIntervalo, 44, 82, 80, 21);
    Place(rbtLNrPedido, 8, 112, 50, 17, "Lista");
    DefinePicker(sbtNrPedido, 62, 110);
    for (ui::MaskEdit* edit : {&medDeIntervalo, &medAteIntervalo}) {
        edit->SetEditMask("9999999999;0; ");
        edit->SetMaxLength(10);
        edit->SetEnabled(false);
    }
    lblDeNrPedido.SetEnabled(false);
    lblAteNrPedido.SetEnabled(false);
}

void TfrmFiltroCancelaPed::DefineSituationGroups() {
    Place(grbPedido, 164, 4, 156, 143, "Situação do Pedido");
    PlaceChecked(chbPPendente, 8, 18, 120, "Pendente");
    PlaceChecked(chbPAndamento, 8, 40, 120, "Em Andamento");
    Place(chbPLiquidado, 8, 62, 120, 17, "Liquidado");
    chbPLiquidado.SetEnabled(false);
    PlaceChecked(chbPCancelado, 8, 84, 120, "Cancelado");
    PlaceChecked(chbPParcialmente, 8, 106, 120, "Parc. Atendido");
    Place(grbItemPedido, 324, 4, 156, 143, "Situação do Item");
    PlaceChecked(chbIPendente, 8, 16, 120, "Pendente");
    PlaceChecked(chbIConfirmado, 8, 36, 120, "Confirmado");
    PlaceChecked(chbIAprovado, 8, 56, 120, "Aprovado");
    PlaceChecked(chbILiquidado, 8, 76, 120, "Liquidado");
    PlaceChecked(chbICancelado, 8, 96, 120, "Cancelado");
    PlaceChecked(chbIParcialmente, 8, 116, 120, "Parc. Atendido");
}

void TfrmFiltroCancelaPed::DefineListGroups() {
    Place(grbCliente, 4, 151, 156, 43, "Cliente");
    PlaceChecked(rbtTCliente, 8, 18, 55, "Todos");
    Place(rbtLCliente, 68, 18, 50, 17, "Lista");
    DefinePicker(sbtCliente, 124, 15);
    Place(grbProduto, 164, 151, 156, 43, "Produto");
    PlaceChecked(rbtTProduto, 8, 18, 55, "Todos");
    Place(rbtLProduto, 68, 18, 50, 17, "Lista");
    DefinePicker(sbtProduto, 124, 15);
    Place(grbVendedor, 324, 151, 156, 43, "Vendedor");
    PlaceChecked(rbtTVendedor, 8, 18, 55, "Todos");
    Place(rbtLVendedor, 68, 18, 50, 17, "Lista");
    DefinePicker(sbtVendedor, 124, 15);
}

void TfrmFiltroCancelaPed::DefineDateGroups() {
    Place(grbEmissao, 4, 198, 156, 93, "Data Pedido");
    Place(lblDeEmissao, 10, 26, 14, 13, "de");
    DefineDateEdit(depDeEmissao, 22);
    Place(lblAteEmissao, 10, 56, 18, 13, "até");
    DefineDateEdit(depAteEmissao, 52);
    Place(grbEntrega, 164, 198, 156, 93, "Data Entrega");
    Place(lblDeEntrega, 10, 26, 14, 13, "de");
    DefineDateEdit(depDeEntrega, 22);
    Place(lblAteEntrega, 10, 56, 18, 13, "até");
    DefineDateEdit(depAteEntrega, 52);
}

void TfrmFiltroCancelaPed::DefinePriorityGroup() {
    Place(grbPrioridade, 324, 198, 156, 93, "Prioridade");
    PlaceChecked(chbNormal, 8, 20, 100, "Normal");
    PlaceChecked(chbAlta, 8, 42, 100, "Alta");
    PlaceChecked(chbUrgente, 8, 64, 100, "Urgente");
}

void TfrmFiltroCancelaPed::DefineButtons() {
    // The undo button takes the base form's free slot in the button column, above help.
    Place(sbtLimpa, 6, 192, 40, 40);
    sbtLimpa.SetHint("Desfazer");
    sbtLimpa.SetGlyph(ui::Glyph::Undo);
}

void TfrmFiltroCancelaPed::BindEvents() {
    using Handler = void (TfrmFiltroCancelaPed::*)(ui::Control&);
    auto bind = [this](ui::Control::NotifyEvent& event, Handler handler) {
        event = [this, handler](ui::Control& sender) { (this->*handler)(sender); };
    };
    bind(OnActivate, &TfrmFiltroCancelaPed::FormActivate);
    bind(sbtLimpa.OnClick, &TfrmFiltroCancelaPed::sbtLimpaClick);
    bind(rbtTNrPedido.OnClick, &TfrmFiltroCancelaPed::rbtTNrPedidoClick);
    bind(rbtIntervalo.OnClick, &TfrmFiltroCancelaPed::rbtIntervaloClick);
    bind(rbtLNrPedido.OnClick, &TfrmFiltroCancelaPed::rbtLNrPedidoClick);
    bind(rbtTVendedor.OnClick, &TfrmFiltroCancelaPed::rbtTVendedorClick);
    bind(rbtLVendedor.OnClick, &TfrmFiltroCancelaPed::rbtLVendedorClick);
    bind(rbtTCliente.OnClick, &TfrmFiltroCancelaPed::rbtTClienteClick);
    bind(rbtLCliente.OnClick, &TfrmFiltroCancelaPed::rbtLClienteClick);
    bind(rbtTProduto.OnClick, &TfrmFiltroCancelaPed::rbtTProdutoClick);
    bind(rbtLProduto.OnClick, &TfrmFiltroCancelaPed::rbtLProdutoClick);
    bind(medDeIntervalo.OnChange, &TfrmFiltroCancelaPed::medDeIntervaloChange);
    bind(medAteIntervalo.OnChange, &TfrmFiltroCancelaPed::medAteIntervaloChange);
    bind(medDeIntervalo.OnExit, &TfrmFiltroCancelaPed::medDeIntervaloExit);
    bind(medAteIntervalo.OnExit, &TfrmFiltroCancelaPed::medAteIntervaloExit);
    bind(depDeEmissao.OnExit, &TfrmFiltroCancelaPed::depDeEmissaoExit);
    bind(depAteEmissao.OnExit, &TfrmFiltroCancelaPed::depAteEmissaoExit);
    bind(depDeEntrega.OnExit, &TfrmFiltroCancelaPed::depDeEntregaExit);
    bind(depAteEntrega.OnExit, &TfrmFiltroCancelaPed::depAteEntregaExit);
    BindPickers();
}

void TfrmFiltroCancelaPed::BindPickers() {
    using Handler = void (TfrmFiltroCancelaPed::*)(ui::Control&);
    using KeyHandler = void (TfrmFiltroCancelaPed::*)(ui::Control&, int&, ui::ShiftState);
    auto bind = [this](ui::SpeedButton& button, Handler click, ui::RadioButton& lista, KeyHandler key) {
        button.OnClick = [this, click](ui::Control& sender) { (this->*click)(sender); };
        lista.OnKeyDown = [this, key](ui::Control& sender, int& code, ui::ShiftState shift) {
            (this->*key)(sender, code, shift);
        };
    };
    bind(sbtNrPedido, &TfrmFiltroCancelaPed::sbtNrPedidoClick, rbtLNrPedido,
         &TfrmFiltroCancelaPed::rbtLNrPedidoKeyDown);
    bind(sbtCliente, &TfrmFiltroCancelaPed::sbtClienteClick, rbtLCliente,
         &TfrmFiltroCancelaPed::rbtLClienteKeyDown);
    bind(sbtProduto, &TfrmFiltroCancelaPed::sbtProdutoClick, rbtLProduto,
         &TfrmFiltroCancelaPed::rbtLProdutoKeyDown);
    bind(sbtVendedor, &TfrmFiltroCancelaPed::sbtVendedorClick, rbtLVendedor,
         &TfrmFiltroCancelaPed::rbtLVendedorKeyDown);
    qryCliente.FieldByName("NRINSJURCLIE").OnGetText = [this](data::Field& sender, std::string& text,
                                                              bool display) {
        qryClienteNRINSJURCLIEGetText(sender, text, display);
    };
    qryProduto.FieldByName("CDARVPROD").OnGetText = [this](data::Field& sender, std::string& text,
                                                           bool display) {
        qryProdutoCDARVPRODGetText(sender, text, display);
    };
    qryProduto.BeforeOpen = [this](data::DataSet& sender) { qryProdutoBeforeOpen(sender); };
}
