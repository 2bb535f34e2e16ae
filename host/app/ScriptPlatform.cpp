#include "app/ScriptPlatform.h"

namespace host {

ScriptPlatform::ScriptPlatform(Transcript& transcript, ui::Platform* view)
    : m_transcript(transcript), m_shown(view ? view : &m_answers) {}

void ScriptPlatform::SetLineSupplier(std::function<bool(ui::Form&)> supplier) {
    m_answers.SetModalSupplier(std::move(supplier));
}

void ScriptPlatform::RunModalLoop(ui::Form& form) {
    m_answers.RunModalLoop(form);
}

std::string ScriptPlatform::LastChoice() const {
    const auto& event = m_answers.Events().back();
    return event.Text + " -> " + (event.Answer.empty() ? "none" : event.Answer);
}

bool ScriptPlatform::AskYesNo(const std::string& text) {
    m_lastQuestion = text;
    bool yes = m_answers.AskYesNo(text);
    m_transcript.Line("question: " + text + " -> " + (yes ? "yes" : "no"));
    return yes;
}

void ScriptPlatform::ShowMessage(ui::MessageKind kind, const std::string& text) {
    m_lastMessage = text;
    ++m_messageCount;
    m_transcript.Line((kind == ui::MessageKind::Error ? "error: " : "info: ") + text);
}

ui::MenuItem* ScriptPlatform::ShowPopup(ui::PopupMenu& menu, ui::Point screen) {
    ui::MenuItem* item = m_answers.ShowPopup(menu, screen);
    m_transcript.Line("popup: " + LastChoice());
    return item;
}

std::optional<int> ScriptPlatform::PickRow(const ui::PickRequest& request) {
    m_lastPickTitle = request.Title;
    std::optional<int> row = m_answers.PickRow(request);
    m_transcript.Line("pick: " + LastChoice());
    return row;
}

std::optional<std::vector<int>> ScriptPlatform::PickRows(const ui::MultiPickRequest& request) {
    m_lastPickTitle = request.Title;
    std::optional<std::vector<int>> rows = m_answers.PickRows(request);
    m_transcript.Line("picklist: " + LastChoice());
    return rows;
}

void ScriptPlatform::SetBusy(bool on, int kind) {
    m_busy = on;
    Shown().SetBusy(on, kind);
}

void ScriptPlatform::Refused(const std::string& what) {
    m_transcript.Line("refused: " + what);
}

} // namespace host
