#include "script/ScriptPlatform.h"

#include "data/DataSet.h"
#include "data/PaintedRowScope.h"
#include "ui/PickerForm.h"
#include "ui/QuestionForm.h"

namespace {
using Kind = ui::HeadlessPlatform::AnswerKind;
}

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
    const bool yes =
        m_answers.NextAnswerIs(Kind::YesNo) ? m_answers.AskYesNo(text) : ui::QuestionForm::Ask(text);
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
    if (m_answers.NextAnswerIs(Kind::Pick)) {
        std::optional<int> row = m_answers.PickRow(request);
        m_transcript.Line("pick: " + LastChoice());
        return row;
    }
    std::optional<int> row = ui::PickerForm::PickRow(request);
    const std::vector<int> rows = row ? std::vector<int>{*row} : std::vector<int>{};
    m_transcript.Line("pick: " + request.Title + " -> " + PickedKeys(request, row ? &rows : nullptr));
    return row;
}

std::optional<std::vector<int>> ScriptPlatform::PickRows(const ui::MultiPickRequest& request) {
    m_lastPickTitle = request.Title;
    if (m_answers.NextAnswerIs(Kind::PickRows)) {
        std::optional<std::vector<int>> rows = m_answers.PickRows(request);
        m_transcript.Line("picklist: " + LastChoice());
        return rows;
    }
    std::optional<std::vector<int>> rows = ui::PickerForm::PickRows(request);
    m_transcript.Line("picklist: " + request.Title + " -> " + PickedKeys(request, rows ? &*rows : nullptr));
    return rows;
}

std::string ScriptPlatform::PickedKeys(const ui::PickRequest& request, const std::vector<int>* rows) {
    if (!rows)
        return "none";
    std::string keys;
    for (int row : *rows) {
        data::PaintedRowScope painted(*request.DataSet, row);
        keys += (keys.empty() ? "" : "_") + request.DataSet->FieldByName(request.KeyField).AsString();
    }
    return keys.empty() ? "none" : keys;
}

void ScriptPlatform::SetBusy(bool on, int kind) {
    m_busy = on;
    Shown().SetBusy(on, kind);
}

void ScriptPlatform::Refused(const std::string& what) {
    m_transcript.Line("refused: " + what);
}

} // namespace host
