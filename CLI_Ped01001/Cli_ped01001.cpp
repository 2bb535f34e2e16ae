#include "CLI_Ped01001/Cli_ped01001.h"

#include "CLI_Ped01000/HourGlassCursor.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "ui/Application.h"

#include <algorithm>

extern "C" {
TfrmFiltroCancelaPed* frmFiltroCancelaPed = nullptr;
std::string STCDFILIAL;
std::string stNrPedido;
std::string stVendedor;
std::string stCliente;
std::string stProduto;
std::string stParamPedido;
std::string stTPrioridade;

std::int32_t ContaChecked(const std::string& text) {
    return static_cast<std::int32_t>(std::count(text.begin(), text.end(), '_')) + 1;
}

void CriaFiltroCancelaPed() {
    HourGlassCursor hourGlass;
    if (!frmFiltroCancelaPed)
        frmFiltroCancelaPed = &ui::Application::Instance().CreateForm<TfrmFiltroCancelaPed>();
    // The screen may release the dialog while it is shown; the release waits for the event's end.
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    dialog.ShowModal();
    dialog.SetWindowState(ui::WindowState::Normal);
}
}

namespace Cli_ped01001 {

void Initialization() {
    stNrPedido.clear();
    stVendedor.clear();
    stCliente.clear();
    stProduto.clear();
}

void Finalization() {
    for (std::string* text :
         {&STCDFILIAL, &stNrPedido, &stVendedor, &stCliente, &stProduto, &stParamPedido, &stTPrioridade})
        std::string().swap(*text);
}

} // namespace Cli_ped01001
