#pragma once

#include "CLI_Ped01000/TFiltro.h"

#include <cstdint>
#include <string>

class TfrmCancelaPed;

// The unit's variables are exported under their own names, so the host and the other modules
// reach them with dlsym; C linkage keeps the names plain even for the class-typed ones.
extern "C" {
extern TfrmCancelaPed* frmCancelaPed;
extern TFiltro Filtro;
extern bool boIdCriado;
extern bool boTeclado;
extern bool boPrimVezFiltro;
extern std::int32_t inContPedidoCh;
extern std::int32_t inContItemPedidoCh;
extern std::int32_t inContDesabilitadosPed;
extern std::int32_t inContDesabilitadosIPed;
extern std::string stSelNrPedido;
extern std::string stNrItemPed;
extern std::string stSituacaoItemPedido;

// Creates the order-cancellation screen on first use and shows it.
void CriaCancelaPedido();
}

namespace Cli_ped01000 {
// Run once per module load by the package's Initialize and Finalize.
void Initialization();
void Finalization();
} // namespace Cli_ped01000
