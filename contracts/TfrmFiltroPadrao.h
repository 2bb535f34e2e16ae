#pragma once

#include "TMessages.h"
#include "TOptionList.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"

// The base of a modal filter dialog: screen-code label, a button panel with confirm, cancel,
// help and the save/load-options buttons, and the message table. On the 540 x 298 dialog the
// group boxes belong on the left; the buttons (40 x 40) stand in a column on the right, help at
// the bottom with one free slot above it (top 192) for the dialog's own button. The events are bound to the
// virtual handlers below. A derived dialog calls the base's FormCreate, FormKeyDown and
// btfLoadOpcClick first in its own, btfSaveOpcClick last (after filling Options()), and
// replaces the others.
class TfrmFiltroPadrao : public ui::Form {
public:
    explicit TfrmFiltroPadrao(std::string name = {});
    ~TfrmFiltroPadrao() override;

    ui::Label& lblCodTela;
    ui::Panel& panBotoes;
    ui::SpeedButton& sbtConfirma;
    ui::SpeedButton& sbtCancel;
    ui::SpeedButton& btfSaveOpc;
    ui::SpeedButton& btfLoadOpc;
    ui::SpeedButton& sbtHelp;
    TMessages& msgPadrao;

    // The options the save writes and the load fills, as name=value entries.
    TOptionList& Options() { return m_options; }

    // Lets the dialog see keys first.
    virtual void FormCreate(ui::Control& sender);
    // Hides the dialog.
    virtual void FormClose(ui::Form& sender, ui::CloseAction& action);
    // Esc cancels the dialog; Enter moves to the next control and Ctrl+Enter confirms; F1 runs
    // the help button; F9 the search button of the edit with the focus.
    virtual void FormKeyDown(ui::Control& sender, int& key, ui::ShiftState shift);
    // Closes the dialog with the Ok result.
    virtual void sbtConfirmaClick(ui::Control& sender);
    // Closes the dialog with the Cancel result.
    virtual void sbtCancelClick(ui::Control& sender);
    virtual void sbtHelpClick(ui::Control& sender);
    // Writes Options() for the operator and the screen code (lblCodTela) and tells the operator.
    virtual void btfSaveOpcClick(ui::Control& sender);
    // Replaces Options() by what was saved; nothing saved is an error that ends the handler.
    virtual void btfLoadOpcClick(ui::Control& sender);

private:
    void PlaceButtons();
    void BindEvents();

    TOptionList m_options;
};
