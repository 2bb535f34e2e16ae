#pragma once

#include "TDataSource.h"
#include "TMessages.h"
#include "ui/DBGrid.h"
#include "ui/DBNavigator.h"
#include "ui/DBText.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MainMenu.h"
#include "ui/MenuItem.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"
#include "ui/TabSheet.h"

// The base of a working screen with a grid: tool bar (its eight 25 x 25 buttons from the left,
// the next free slot at 220, the screen code at the right end), one page with the grid on dtsPadrao, a
// navigator panel, the main menu and the message table. The events of these components are
// bound to the virtual handlers below. A derived screen calls the base's FormCreate,
// FormKeyDown and dbgPadraoKeyDown first in its own, calls FormClose where its close needs the
// base's close step, and replaces the other handlers.
class TfrmPadraoGrid : public ui::Form {
public:
    explicit TfrmPadraoGrid(std::string name = {});
    ~TfrmPadraoGrid() override;

    ui::Panel& panMenu;
    ui::Label& lblCodTela;
    ui::SpeedButton& sbtAjuda;
    ui::SpeedButton& sbtImprimir;
    ui::SpeedButton& sbtProcurar;
    ui::SpeedButton& sbtVerificar;
    ui::SpeedButton& sbtAlterar;
    ui::SpeedButton& sbtConfirmar;
    ui::SpeedButton& sbtCancelar;
    ui::SpeedButton& sbtFechar;
    ui::PageControl& pgcPadrao;
    ui::TabSheet& tshPadrao;
    TDataSource& dtsPadrao;
    ui::DBGrid& dbgPadrao;
    ui::Panel& panNavigator;
    ui::DBText& dbtNome;
    ui::DBNavigator& dbnPadrao;
    ui::MainMenu& mnuPrincipal;
    ui::MenuItem& mnuOperacao;
    ui::MenuItem& mnuManutencao;
    ui::MenuItem& mnuIncluir;
    ui::MenuItem& mnuAlterar;
    ui::MenuItem& mnuExcluir;
    ui::MenuItem& mnuProcurar;
    ui::MenuItem& mnuVerificar;
    ui::MenuItem& mnuLinha3;
    ui::MenuItem& mnuCancelar;
    ui::MenuItem& mnuConfirmar;
    TMessages& msgPadrao;

    // Shows the first page and lets the form see keys first.
    virtual void FormCreate(ui::Control& sender);
    // The close step: the screen is freed when it closes.
    virtual void FormClose(ui::Form& sender, ui::CloseAction& action);
    // F1 runs the help button, F9 the search button of the edit with the focus, Ctrl+P the print
    // button; Enter in an edit moves to the next control.
    virtual void FormKeyDown(ui::Control& sender, int& key, ui::ShiftState shift);
    // Enter on the grid runs the edit button when it is enabled.
    virtual void dbgPadraoKeyDown(ui::Control& sender, int& key, ui::ShiftState shift);
    // Repaints the screen.
    virtual void sbtVerificarClick(ui::Control& sender);
    // Puts the grid's dataset into editing.
    virtual void sbtAlterarClick(ui::Control& sender);
    // Posts the grid's dataset's edit.
    virtual void sbtConfirmarClick(ui::Control& sender);
    // Cancels the grid's dataset's edit.
    virtual void sbtCancelarClick(ui::Control& sender);
    // Enables the edit buttons by the dataset's state: confirm and cancel while editing.
    virtual void dtsPadraoStateChange(data::DataSource& sender);
    // Lets the operator pick a row of the grid's dataset and moves the cursor there.
    virtual void sbtProcurarClick(ui::Control& sender);
    // Shows which help file and topic belong to the screen.
    virtual void sbtAjudaClick(ui::Control& sender);
    virtual void sbtFecharClick(ui::Control& sender);

private:
    void PlaceToolBar();
    void BindEvents();
};
