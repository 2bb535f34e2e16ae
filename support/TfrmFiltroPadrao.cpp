#include "TfrmFiltroPadrao.h"

#include "Consiste.h"
#include "FormHelp.h"
#include "Morvale.h"
#include "OptionStore.h"
#include "TBtnPesquisa.h"
#include "ui/Application.h"

#include <stdexcept>

TfrmFiltroPadrao::TfrmFiltroPadrao(std::string name)
    : ui::Form(std::move(name)), lblCodTela(Add<ui::Label>("lblCodTela")),
      panBotoes(Add<ui::Panel>("panBotoes")), sbtConfirma(panBotoes.Add<ui::SpeedButton>("sbtConfirma")),
      sbtCancel(panBotoes.Add<ui::SpeedButton>("sbtCancel")),
      btfSaveOpc(panBotoes.Add<ui::SpeedButton>("btfSaveOpc")),
      btfLoadOpc(panBotoes.Add<ui::SpeedButton>("btfLoadOpc")),
      sbtHelp(panBotoes.Add<ui::SpeedButton>("sbtHelp")), msgPadrao(Create<TMessages>("msgPadrao")) {
    SetKeyPreview(true);
    sbtConfirma.SetHint("Confirmar");
    sbtConfirma.SetGlyph(ui::Glyph::Confirm);
    sbtCancel.SetHint("Cancelar");
    sbtCancel.SetGlyph(ui::Glyph::Cancel);
    btfSaveOpc.SetHint("Salvar opções");
    btfSaveOpc.SetGlyph(ui::Glyph::Save);
    btfLoadOpc.SetHint("Carregar opções");
    btfLoadOpc.SetGlyph(ui::Glyph::Load);
    sbtHelp.SetHint("Ajuda");
    sbtHelp.SetGlyph(ui::Glyph::Help);
    PlaceButtons();
    BindEvents();
}

TfrmFiltroPadrao::~TfrmFiltroPadrao() {
    // The controls hold this form's handlers; they go before the form's members do.
    DestroyOwnedComponents();
}

void TfrmFiltroPadrao::PlaceButtons() {
    SetBounds(0, 0, 540, 298);
    panBotoes.SetBounds(488, 0, 52, 280);
    int top = 8;
    for (ui::SpeedButton* button : {&sbtConfirma, &sbtCancel, &btfSaveOpc, &btfLoadOpc}) {
        button->SetBounds(6, top, 40, 40);
        top += 46;
    }
    sbtHelp.SetBounds(6, 238, 40, 40);
    lblCodTela.SetBounds(480, 282, 60, 13);
}

void TfrmFiltroPadrao::BindEvents() {
    auto bind = [this](ui::Control& control, void (TfrmFiltroPadrao::*handler)(ui::Control&)) {
        control.OnClick = [this, handler](ui::Control& sender) { (this->*handler)(sender); };
    };
    bind(sbtConfirma, &TfrmFiltroPadrao::sbtConfirmaClick);
    bind(sbtCancel, &TfrmFiltroPadrao::sbtCancelClick);
    bind(sbtHelp, &TfrmFiltroPadrao::sbtHelpClick);
    bind(btfSaveOpc, &TfrmFiltroPadrao::btfSaveOpcClick);
    bind(btfLoadOpc, &TfrmFiltroPadrao::btfLoadOpcClick);
    OnCreate = [this](ui::Control& sender) { FormCreate(sender); };
    OnClose = [this](ui::Form& sender, ui::CloseAction& action) { FormClose(sender, action); };
    OnKeyDown = [this](ui::Control& sender, int& key, ui::ShiftState shift) {
        FormKeyDown(sender, key, shift);
    };
}

void TfrmFiltroPadrao::FormCreate(ui::Control&) {
    SetKeyPreview(true);
    m_options.Clear();
}

void TfrmFiltroPadrao::FormClose(ui::Form&, ui::CloseAction& action) {
    action = ui::CloseAction::Hide;
}

void TfrmFiltroPadrao::FormKeyDown(ui::Control&, int& key, ui::ShiftState shift) {
    if (TBtnPesquisa::SearchKey(*this, key, shift))
        return;
    if (key == ui::Key::Return && shift == ui::ShiftState::WithCtrl() && sbtConfirma.IsEffectivelyEnabled()) {
        // Enter walks the fields, so confirming from the keyboard takes Ctrl.
        key = 0;
        sbtConfirma.Click();
        return;
    }
    if (shift != ui::ShiftState::None())
        return;
    if (key == ui::Key::Escape) {
        key = 0;
        sbtCancel.Click();
    } else if (key == ui::Key::Return) {
        // Enter walks the fields like Tab; confirming is the confirm button's job.
        key = 0;
        SelectNext(true);
    } else if (key == ui::Key::F1) {
        key = 0;
        sbtHelp.Click();
    }
}

void TfrmFiltroPadrao::sbtConfirmaClick(ui::Control&) {
    if (IsModal())
        SetModalResult(ui::ModalResult::Ok);
    else
        Close();
}

void TfrmFiltroPadrao::sbtCancelClick(ui::Control&) {
    if (IsModal())
        SetModalResult(ui::ModalResult::Cancel);
    else
        Close();
}

void TfrmFiltroPadrao::sbtHelpClick(ui::Control&) {
    support::ShowFormHelp(*this);
}

void TfrmFiltroPadrao::btfSaveOpcClick(ui::Control&) {
    try {
        OptionStore::Save(Morvale::Operador(), lblCodTela.Caption(), m_options);
    } catch (const std::runtime_error& error) {
        Consiste::MensErro(error.what(), true);
    }
    ui::Application::Instance().ShowInfo("Opções gravadas.");
}

void TfrmFiltroPadrao::btfLoadOpcClick(ui::Control&) {
    try {
        m_options = OptionStore::Load(Morvale::Operador(), lblCodTela.Caption());
    } catch (const std::runtime_error& error) {
        Consiste::MensErro(error.what(), true);
    }
}
