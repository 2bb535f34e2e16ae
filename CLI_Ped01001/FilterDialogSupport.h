#pragma once

#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"

#include <array>
#include <stdexcept>

// The screen the dialog filters for. The dialog is only ever opened by that screen, which also
// holds the branch, its parameters and the connection the dialog works with.
inline TfrmCancelaPed& OwnerScreen() {
    if (!frmCancelaPed)
        throw std::logic_error("the filter dialog is used without its order-cancellation screen");
    return *frmCancelaPed;
}

// Order numbers travel as texts of this many characters, zero-padded on the left.
inline constexpr int orderNumberLength = 10;

// A situation or priority box and the flag of the confirmed filter that remembers it.
struct BoxFlag {
    ui::CheckBox& Box;
    bool TFiltro::*Flag;
};

// The thirteen boxes the operator can change, in the order they are restored and stored. The
// disabled order situation "Liquidado" is not among them.
inline std::array<BoxFlag, 13> BoxFlags(TfrmFiltroCancelaPed& dialog) {
    return {{{dialog.chbNormal, &TFiltro::boNormal},
             {dialog.chbAlta, &TFiltro::boAlta},
             {dialog.chbUrgente, &TFiltro::boUrgente},
             {dialog.chbPPendente, &TFiltro::boPPendente},
             {dialog.chbPAndamento, &TFiltro::boPAndamento},
             {dialog.chbPCancelado, &TFiltro::boPCancelado},
             {dialog.chbPParcialmente, &TFiltro::boPParcialmente},
             {dialog.chbIPendente, &TFiltro::boIPendente},
             {dialog.chbIConfirmado, &TFiltro::boIConfirmado},
             {dialog.chbIAprovado, &TFiltro::boIAprovado},
             {dialog.chbILiquidado, &TFiltro::boILiquidado},
             {dialog.chbICancelado, &TFiltro::boICancelado},
             {dialog.chbIParcialmente, &TFiltro::boIParcialmente}}};
}
