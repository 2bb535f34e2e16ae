#include "app/ScriptPrintService.h"

#include "ui/HeadlessError.h"

#include <stdexcept>

namespace host {
namespace {

std::string Pages(const report::Document& document) {
    const int count = document.PageCount();
    return std::to_string(count) + (count == 1 ? " página" : " páginas");
}

} // namespace

void ScriptPrintService::Output(const report::Document& document, report::PrintAction action,
                                const std::string&) {
    if (action == report::PrintAction::Preview) {
        m_transcript.Line("preview: " + document.Title + " (" + Pages(document) + ")");
        return;
    }
    const std::string what = action == report::PrintAction::Print ? "print" : "save";
    if (m_files.empty())
        throw ui::HeadlessError("a " + what + " request of \"" + document.Title + "\" has no pdf answer");
    const std::string file = m_files.front();
    m_files.pop_front();
    if (!m_writer)
        throw std::runtime_error("Não é possível gerar PDF nesta estação.");
    m_writer->Write(document, file);
    m_transcript.Line(what + ": " + document.Title + " (" + Pages(document) + ") -> " + file);
}

} // namespace host
