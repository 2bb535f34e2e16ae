#pragma once

#include <cstdint>
#include <string>

class TfrmFiltroCancelaPed;

// Exported under their own names, like the variables of the screen's unit.
extern "C" {
extern TfrmFiltroCancelaPed* frmFiltroCancelaPed;
extern std::string STCDFILIAL;
extern std::string stNrPedido;
extern std::string stVendedor;
extern std::string stCliente;
extern std::string stProduto;
extern std::string stParamPedido;
extern std::string stTPrioridade;

// The number of entries of a list joined by "_": the separators plus one.
std::int32_t ContaChecked(const std::string& text);
// Creates the filter dialog on first use and shows it modally; returns when it has closed.
void CriaFiltroCancelaPed();
}

namespace Cli_ped01001 {
// Run once per module load by the package's Initialize and Finalize.
void Initialization();
void Finalization();
} // namespace Cli_ped01001
