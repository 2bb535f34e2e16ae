#include "script/ScriptPrintService.h"

#include "script/PdfFileForm.h"

#include <optional>
#include <stdexcept>

namespace host {
namespace {

std::string Pages(const report::Document& document) {
    const int count = document.PageCount();
    return std::to_string(count) + (count == 1 ? " página" : " páginas");
}

} // namespace

void ScriptPrintService::Output(const report::Document& document, report::PrintAction action,
                                const std::string& suggestedName) {
    if (action == report::PrintAction::Preview) {
        m_transcript.Line("preview: " + document.Title + " (" + Pages(document) + ")");
        return;
    }
    const bool print = action == report::PrintAction::Print;
    const std::string what =
        (print ? "print: " : "save: ") + document.Title + " (" + Pages(document) + ") -> ";
    std::optional<std::string> file;
    if (!m_files.empty()) {
        file = m_files.front();
        m_files.pop_front();
    } else {
        file = PdfFileForm::Ask(print ? "Imprimir em PDF" : "Salvar PDF", suggestedName);
    }
    if (!file) {
        m_transcript.Line(what + "none");
        return;
    }
    if (!m_writer)
        throw std::runtime_error("Não é possível gerar PDF nesta estação.");
    m_writer->Write(document, *file);
    m_transcript.Line(what + *file);
}

} // namespace host
