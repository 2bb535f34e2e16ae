#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"

#include "CLI_Ped01001/Cli_ped01001.h"

void TfrmFiltroCancelaPed::FormCreate(ui::Control& sender) {
    TfrmFiltroPadrao::FormCreate(sender);
    depDeEntrega.Clear();
    depAteEntrega.Clear();
    STCDFILIAL.clear();
    stParamPedido.clear();
}

void TfrmFiltroCancelaPed::FormClose(ui::Form&, ui::CloseAction& action) {
    action = ui::CloseAction::Hide;
}
