#include "script/PdfFileForm.h"

#include "ui/Application.h"

namespace host {

PdfFileForm::PdfFileForm(const std::string& caption, const std::string& suggestedName)
    : ui::Form("frmArquivoPdf"), lblArquivo(Add<ui::Label>("lblArquivo")),
      edtArquivo(Add<ui::Edit>("edtArquivo")), btnSalvar(Add<ui::Button>("btnSalvar")),
      btnCancelar(Add<ui::Button>("btnCancelar")) {
    SetCaption(caption);
    SetBounds(0, 0, 440, 92);
    lblArquivo.SetCaption("Arquivo");
    lblArquivo.SetBounds(12, 16, 50, 13);
    edtArquivo.SetBounds(68, 12, 360, 21);
    edtArquivo.SetText(suggestedName);
    btnSalvar.SetCaption("Salvar");
    btnSalvar.SetBounds(260, 52, 80, 25);
    btnSalvar.SetModalResult(ui::ModalResult::Ok);
    btnSalvar.SetDefault(true);
    btnCancelar.SetCaption("Cancelar");
    btnCancelar.SetBounds(348, 52, 80, 25);
    btnCancelar.SetModalResult(ui::ModalResult::Cancel);
    btnCancelar.SetCancel(true);
}

std::optional<std::string> PdfFileForm::Ask(const std::string& caption, const std::string& suggestedName) {
    PdfFileForm& form = ui::Application::Instance().CreateForm<PdfFileForm>(caption, suggestedName);
    // The name is read before the released window goes, at the end of the outermost event.
    if (form.ShowModalOnce() != ui::ModalResult::Ok || form.edtArquivo.Text().empty())
        return std::nullopt;
    return form.edtArquivo.Text();
}

} // namespace host
