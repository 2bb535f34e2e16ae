#include "CLI_Ped01100/Cli_ped01100.h"

#include "CLI_Ped01100/TfrmRelPedido.h"
#include "ui/Application.h"

extern "C" {
TfrmRelPedido* frmRelPedido = nullptr;
bool boIdCriadoRel = false;

void CriaRelPedido(const char* parametro) {
    if (!boIdCriadoRel) {
        frmRelPedido = &ui::Application::Instance().CreateForm<TfrmRelPedido>();
        boIdCriadoRel = true;
    }
    frmRelPedido->SetModo(parametro ? parametro : "");
    frmRelPedido->SetWindowState(ui::WindowState::Normal);
    frmRelPedido->Show();
}
}

namespace Cli_ped01100 {

void Initialization() {
    boIdCriadoRel = false;
    frmRelPedido = nullptr;
}

void Finalization() {}

} // namespace Cli_ped01100
