#include "CLI_Ped01000/Cli_ped01000.h"

#include "CLI_Ped01000/HourGlassCursor.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "ui/Application.h"

extern "C" {
TfrmCancelaPed* frmCancelaPed = nullptr;
TFiltro Filtro;
bool boIdCriado = false;
bool boTeclado = false;
bool boPrimVezFiltro = false;
std::int32_t inContPedidoCh = 0;
std::int32_t inContItemPedidoCh = 0;
std::int32_t inContDesabilitadosPed = 0;
std::int32_t inContDesabilitadosIPed = 0;
std::string stSelNrPedido;
std::string stNrItemPed;
std::string stSituacaoItemPedido;

void CriaCancelaPedido() {
    HourGlassCursor hourGlass;
    if (!boIdCriado) {
        frmCancelaPed = &ui::Application::Instance().CreateForm<TfrmCancelaPed>();
        boIdCriado = true;
    }
    frmCancelaPed->SetWindowState(ui::WindowState::Normal);
    frmCancelaPed->Show();
}
}

namespace Cli_ped01000 {

void Initialization() {
    boIdCriado = false;
    boTeclado = false;
}

void Finalization() {
    for (std::string* text : {&stSituacaoItemPedido, &stSelNrPedido, &stNrItemPed})
        std::string().swap(*text);
    Filtro.ReleaseTexts();
}

} // namespace Cli_ped01000
