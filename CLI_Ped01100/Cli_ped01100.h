#pragma once

#include <string>

class TfrmRelPedido;

// The unit's variables are exported under their own names, like the first module's.
extern "C" {
extern TfrmRelPedido* frmRelPedido;
extern bool boIdCriadoRel;

// Creates the order print screen on first use, puts it in the mode of the parameter ("M":
// ledger) and shows it.
void CriaRelPedido(const char* parametro);
}

namespace Cli_ped01100 {
void Initialization();
void Finalization();
} // namespace Cli_ped01100
