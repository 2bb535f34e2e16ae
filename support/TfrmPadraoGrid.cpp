#include "TfrmPadraoGrid.h"

#include "DataSetPicking.h"
#include "FormHelp.h"
#include "TBtnPesquisa.h"
#include "data/DataSet.h"
#include "ui/Edit.h"

TfrmPadraoGrid::TfrmPadraoGrid(std::string name)
    : ui::Form(std::move(name)), panMenu(Add<ui::Panel>("panMenu")),
      lblCodTela(panMenu.Add<ui::Label>("lblCodTela")), sbtAjuda(panMenu.Add<ui::SpeedButton>("sbtAjuda")),
      sbtImprimir(panMenu.Add<ui::SpeedButton>("sbtImprimir")),
      sbtProcurar(panMenu.Add<ui::SpeedButton>("sbtProcurar")),
      sbtVerificar(panMenu.Add<ui::SpeedButton>("sbtVerificar")),
      sbtAlterar(panMenu.Add<ui::SpeedButton>("sbtAlterar")),
      sbtConfirmar(panMenu.Add<ui::SpeedButton>("sbtConfirmar")),
      sbtCancelar(panMenu.Add<ui::SpeedButton>("sbtCancelar")),
      sbtFechar(panMenu.Add<ui::SpeedButton>("sbtFechar")), pgcPadrao(Add<ui::PageControl>("pgcPadrao")),
      tshPadrao(pgcPadrao.Add<ui::TabSheet>("tshPadrao")), dtsPadrao(Create<TDataSource>("dtsPadrao")),
      dbgPadrao(tshPadrao.Add<ui::DBGrid>("dbgPadrao")), panNavigator(Add<ui::Panel>("panNavigator")),
      dbtNome(panNavigator.Add<ui::DBText>("dbtNome")),
      dbnPadrao(panNavigator.Add<ui::DBNavigator>("dbnPadrao")),
      mnuPrincipal(Create<ui::MainMenu>("mnuPrincipal")),
      mnuOperacao(mnuPrincipal.Items().Add("mnuOperacao", "&Operação")),
      mnuManutencao(mnuPrincipal.Items().Add("mnuManutencao", "&Manutenção")),
      mnuIncluir(mnuManutencao.Add("mnuIncluir", "&Incluir")),
      mnuAlterar(mnuManutencao.Add("mnuAlterar", "&Alterar")),
      mnuExcluir(mnuManutencao.Add("mnuExcluir", "&Excluir")),
      mnuProcurar(mnuManutencao.Add("mnuProcurar", "&Procurar")),
      mnuVerificar(mnuManutencao.Add("mnuVerificar", "&Verificar")),
      mnuLinha3(mnuManutencao.AddSeparator("mnuLinha3")),
      mnuCancelar(mnuManutencao.Add("mnuCancelar", "&Cancelar")),
      mnuConfirmar(mnuManutencao.Add("mnuConfirmar", "C&onfirmar")),
      msgPadrao(Create<TMessages>("msgPadrao")) {
    SetFormStyle(ui::FormStyle::MDIChild);
    SetMenu(&mnuPrincipal);
    SetKeyPreview(true);
    sbtAjuda.SetHint("Ajuda");
    sbtAjuda.SetGlyph(ui::Glyph::Help);
    sbtImprimir.SetHint("Imprimir");
    sbtImprimir.SetGlyph(ui::Glyph::Print);
    sbtProcurar.SetHint("Procurar");
    sbtProcurar.SetGlyph(ui::Glyph::Search);
    sbtVerificar.SetHint("Verificar");
    sbtVerificar.SetGlyph(ui::Glyph::Refresh);
    sbtAlterar.SetHint("Alterar");
    sbtAlterar.SetGlyph(ui::Glyph::Edit);
    sbtConfirmar.SetHint("Confirmar");
    sbtConfirmar.SetGlyph(ui::Glyph::Confirm);
    sbtCancelar.SetHint("Cancelar");
    sbtCancelar.SetGlyph(ui::Glyph::Cancel);
    sbtFechar.SetHint("Fechar");
    sbtFechar.SetGlyph(ui::Glyph::Close);
    // The menu's entries show the pictures of the buttons that do the same.
    for (auto [item, glyph] :
         {std::pair{&mnuProcurar, ui::Glyph::Search}, std::pair{&mnuVerificar, ui::Glyph::Refresh},
          std::pair{&mnuAlterar, ui::Glyph::Edit}, std::pair{&mnuCancelar, ui::Glyph::Cancel},
          std::pair{&mnuConfirmar, ui::Glyph::Confirm}})
        item->SetGlyph(glyph);
    PlaceToolBar();
    dbgPadrao.SetDataSource(&dtsPadrao);
    dbnPadrao.SetDataSource(&dtsPadrao);
    dbtNome.SetDataSource(&dtsPadrao);
    BindEvents();
}

TfrmPadraoGrid::~TfrmPadraoGrid() {
    // The controls hold this form's handlers; they go before the form's members do.
    DestroyOwnedComponents();
}

void TfrmPadraoGrid::PlaceToolBar() {
    panMenu.SetBounds(0, 0, 744, 30);
    int left = 4;
    for (ui::SpeedButton* button : {&sbtAjuda, &sbtImprimir, &sbtFechar, &sbtProcurar, &sbtVerificar,
                                    &sbtCancelar, &sbtConfirmar, &sbtAlterar}) {
        button->SetBounds(left, 3, 25, 25);
        left += 27;
    }
    lblCodTela.SetBounds(676, 9, 64, 13);
}

void TfrmPadraoGrid::BindEvents() {
    auto bind = [this](ui::Control& control, void (TfrmPadraoGrid::*handler)(ui::Control&)) {
        control.OnClick = [this, handler](ui::Control& sender) { (this->*handler)(sender); };
    };
    bind(sbtAjuda, &TfrmPadraoGrid::sbtAjudaClick);
    bind(sbtProcurar, &TfrmPadraoGrid::sbtProcurarClick);
    bind(sbtVerificar, &TfrmPadraoGrid::sbtVerificarClick);
    bind(sbtAlterar, &TfrmPadraoGrid::sbtAlterarClick);
    bind(sbtConfirmar, &TfrmPadraoGrid::sbtConfirmarClick);
    bind(sbtCancelar, &TfrmPadraoGrid::sbtCancelarClick);
    bind(sbtFechar, &TfrmPadraoGrid::sbtFecharClick);
    bind(mnuAlterar, &TfrmPadraoGrid::sbtAlterarClick);
    bind(mnuProcurar, &TfrmPadraoGrid::sbtProcurarClick);
    bind(mnuVerificar, &TfrmPadraoGrid::sbtVerificarClick);
    bind(mnuCancelar, &TfrmPadraoGrid::sbtCancelarClick);
    bind(mnuConfirmar, &TfrmPadraoGrid::sbtConfirmarClick);
    OnCreate = [this](ui::Control& sender) { FormCreate(sender); };
    OnClose = [this](ui::Form& sender, ui::CloseAction& action) { FormClose(sender, action); };
    OnKeyDown = [this](ui::Control& sender, int& key, ui::ShiftState shift) {
        FormKeyDown(sender, key, shift);
    };
    dbgPadrao.OnKeyDown = [this](ui::Control& sender, int& key, ui::ShiftState shift) {
        dbgPadraoKeyDown(sender, key, shift);
    };
    dtsPadrao.OnStateChange = [this](data::DataSource& sender) { dtsPadraoStateChange(sender); };
}

void TfrmPadraoGrid::FormCreate(ui::Control&) {
    pgcPadrao.SetActivePage(&tshPadrao);
    dtsPadraoStateChange(dtsPadrao);
}

void TfrmPadraoGrid::FormClose(ui::Form&, ui::CloseAction& action) {
    action = ui::CloseAction::Free;
}

void TfrmPadraoGrid::FormKeyDown(ui::Control&, int& key, ui::ShiftState shift) {
    if (TBtnPesquisa::SearchKey(*this, key, shift))
        return;
    const bool plain = shift == ui::ShiftState::None();
    if (key == ui::Key::F1 && plain) {
        key = 0;
        sbtAjuda.Click();
    } else if (key == ui::Key::Return && plain && dynamic_cast<ui::Edit*>(ActiveControl())) {
        // Enter leaves an edit for the next control, as Tab does.
        key = 0;
        SelectNext(true);
    } else if (key == 'P' && shift == ui::ShiftState::WithCtrl() && sbtImprimir.IsEffectivelyEnabled()) {
        key = 0;
        sbtImprimir.Click();
    }
}

void TfrmPadraoGrid::dbgPadraoKeyDown(ui::Control&, int& key, ui::ShiftState shift) {
    if (key == ui::Key::Return && shift == ui::ShiftState::None() && sbtAlterar.IsEffectivelyEnabled()) {
        key = 0;
        sbtAlterar.Click();
    }
}

void TfrmPadraoGrid::sbtVerificarClick(ui::Control&) {
    Repaint();
}

void TfrmPadraoGrid::sbtAlterarClick(ui::Control&) {
    if (data::DataSet* dataSet = dtsPadrao.GetDataSet(); dataSet && dataSet->Active() && !dataSet->IsEmpty())
        dataSet->Edit();
}

void TfrmPadraoGrid::sbtConfirmarClick(ui::Control&) {
    if (data::DataSet* dataSet = dtsPadrao.GetDataSet();
        dataSet && dataSet->State() == data::DataSetState::Edit)
        dataSet->Post();
}

void TfrmPadraoGrid::sbtCancelarClick(ui::Control&) {
    if (data::DataSet* dataSet = dtsPadrao.GetDataSet();
        dataSet && dataSet->State() == data::DataSetState::Edit)
        dataSet->Cancel();
}

void TfrmPadraoGrid::dtsPadraoStateChange(data::DataSource& sender) {
    data::DataSet* dataSet = sender.GetDataSet();
    bool editing = dataSet && dataSet->State() == data::DataSetState::Edit;
    bool hasRows = dataSet && dataSet->Active() && !dataSet->IsEmpty();
    sbtConfirmar.SetEnabled(editing);
    sbtCancelar.SetEnabled(editing);
    sbtAlterar.SetEnabled(!editing && hasRows);
}

void TfrmPadraoGrid::sbtProcurarClick(ui::Control&) {
    data::DataSet* dataSet = dtsPadrao.GetDataSet();
    if (dataSet && dataSet->Active() && !dataSet->IsEmpty())
        support::PickOneRow(*dataSet, "Procurar");
}

void TfrmPadraoGrid::sbtAjudaClick(ui::Control&) {
    support::ShowFormHelp(*this);
}

void TfrmPadraoGrid::sbtFecharClick(ui::Control&) {
    Close();
}
