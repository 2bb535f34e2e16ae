#pragma once

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"

#include <optional>
#include <string>

namespace host {

// The name of the PDF file a report goes to, asked in a window of the model while a script runs,
// so that the script writes it by keys or clicks as a person would, the same on either platform.
// The desktop without a script asks with the system's file dialog instead.
class PdfFileForm : public ui::Form {
public:
    PdfFileForm(const std::string& caption, const std::string& suggestedName);

    // The file name confirmed with "Salvar", or nullopt for "Cancelar".
    static std::optional<std::string> Ask(const std::string& caption, const std::string& suggestedName);

    ui::Label& lblArquivo;
    ui::Edit& edtArquivo;
    ui::Button& btnSalvar;
    ui::Button& btnCancelar;
};

} // namespace host
