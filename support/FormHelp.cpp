#include "FormHelp.h"

#include "ui/Application.h"
#include "ui/Form.h"

namespace support {

void ShowFormHelp(const ui::Form& form) {
    if (form.HelpFile().empty()) {
        ui::Application::Instance().ShowInfo("Não há ajuda para esta tela.");
        return;
    }
    ui::Application::Instance().ShowInfo("Ajuda: arquivo " + form.HelpFile() + ", tópico " +
                                         std::to_string(form.HelpContext()) + ".");
}

} // namespace support
