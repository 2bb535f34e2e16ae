#include "ui/HeadlessPlatform.h"

#include "data/DataSet.h"
#include "data/PaintedRowScope.h"
#include "ui/Form.h"
#include "ui/PopupMenu.h"

#include <algorithm>

namespace ui {

namespace {

const char* AnswerKindName(int kind) {
    static const char* names[] = {"a Yes/No answer", "a popup choice", "a row pick", "a multi-row pick"};
    return names[kind];
}

MenuItem* FindItem(MenuItem& parent, const std::string& name) {
    for (MenuItem* item : parent.Items()) {
        if (item->Name() == name)
            return item;
        if (MenuItem* found = FindItem(*item, name))
            return found;
    }
    return nullptr;
}

int RowOfKey(data::DataSet& dataSet, const std::string& keyField, const std::string& key) {
    for (int row = 0; row < dataSet.RecordCount(); ++row) {
        data::PaintedRowScope scope(dataSet, row);
        if (dataSet.FieldByName(keyField).AsString() == key)
            return row;
    }
    throw HeadlessError("the list '" + dataSet.Name() + "' has no row whose " + keyField + " is '" + key +
                        "'");
}

std::vector<std::string> SplitKeys(const std::string& joined) {
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < joined.size()) {
        std::size_t end = joined.find('_', start);
        if (end == std::string::npos)
            end = joined.size();
        keys.push_back(joined.substr(start, end - start));
        start = end + 1;
    }
    return keys;
}

void RequireDataSet(const PickRequest& request) {
    if (!request.DataSet || request.KeyField.empty())
        throw HeadlessError("the list '" + request.Title + "' has no dataset or key field");
}

} // namespace

void HeadlessPlatform::AnswerYes() {
    m_answers.push_back({AnswerKind::YesNo, "Yes"});
}
void HeadlessPlatform::AnswerNo() {
    m_answers.push_back({AnswerKind::YesNo, "No"});
}
void HeadlessPlatform::ChoosePopupItem(const std::string& itemName) {
    m_answers.push_back({AnswerKind::Popup, itemName});
}
void HeadlessPlatform::ChooseNothing() {
    m_answers.push_back({AnswerKind::Popup, std::nullopt});
}
void HeadlessPlatform::PickRow(const std::string& key) {
    m_answers.push_back({AnswerKind::Pick, key});
}
void HeadlessPlatform::PickNone() {
    m_answers.push_back({AnswerKind::Pick, std::nullopt});
}
void HeadlessPlatform::PickRows(const std::string& keys) {
    m_answers.push_back({AnswerKind::PickRows, keys});
}
void HeadlessPlatform::PickRowsCancel() {
    m_answers.push_back({AnswerKind::PickRows, std::nullopt});
}

void HeadlessPlatform::QueueModalAction(std::function<void()> action) {
    m_modalActions.push_back(std::move(action));
}

void HeadlessPlatform::SetModalSupplier(std::function<bool(Form&)> supplier) {
    m_supplier = std::move(supplier);
}

std::vector<std::string> HeadlessPlatform::TextsOf(EventKind kind) const {
    std::vector<std::string> texts;
    for (const Event& event : m_events) {
        if (event.Kind == kind)
            texts.push_back(event.Text);
    }
    return texts;
}

bool HeadlessPlatform::Saw(const std::string& text) const {
    return std::any_of(m_events.begin(), m_events.end(), [&](const Event& e) {
        return e.Text == text && (e.Kind == EventKind::Error || e.Kind == EventKind::Information ||
                                  e.Kind == EventKind::Question);
    });
}

HeadlessPlatform::Answer HeadlessPlatform::TakeAnswer(AnswerKind kind, const std::string& what) {
    if (m_answers.empty())
        throw HeadlessError("unanswered " + what + ": the script gave no answer");
    Answer answer = m_answers.front();
    if (answer.Kind != kind)
        throw HeadlessError("unanswered " + what + ": the next scripted answer is " +
                            AnswerKindName(static_cast<int>(answer.Kind)));
    m_answers.pop_front();
    return answer;
}

void HeadlessPlatform::RunModalLoop(Form& form) {
    while (!form.IsModalLoopDone()) {
        bool ran = false;
        if (m_supplier) {
            ran = m_supplier(form);
        } else if (!m_modalActions.empty()) {
            auto action = std::move(m_modalActions.front());
            m_modalActions.pop_front();
            action();
            ran = true;
        }
        if (!ran)
            throw HeadlessError("modal loop of '" + form.Name() + "' (\"" + form.Caption() +
                                "\") has nothing left to run while the form is open");
    }
}

bool HeadlessPlatform::AskYesNo(const std::string& text) {
    Answer answer = TakeAnswer(AnswerKind::YesNo, "question \"" + text + "\"");
    m_events.push_back({EventKind::Question, text, *answer.Value});
    return *answer.Value == "Yes";
}

void HeadlessPlatform::ShowMessage(MessageKind kind, const std::string& text) {
    m_events.push_back({kind == MessageKind::Error ? EventKind::Error : EventKind::Information, text, {}});
}

MenuItem* HeadlessPlatform::ShowPopup(PopupMenu& menu, Point) {
    Answer answer = TakeAnswer(AnswerKind::Popup, "popup menu '" + menu.Name() + "'");
    m_events.push_back({EventKind::Popup, menu.Name(), answer.Value.value_or("")});
    if (!answer.Value)
        return nullptr;
    MenuItem* item = FindItem(menu.Items(), *answer.Value);
    if (!item || !item->Visible() || !item->Enabled())
        throw HeadlessError("popup menu '" + menu.Name() + "' offers no item '" + *answer.Value + "'");
    return item;
}

std::optional<int> HeadlessPlatform::PickRow(const PickRequest& request) {
    Answer answer = TakeAnswer(AnswerKind::Pick, "row pick \"" + request.Title + "\"");
    m_events.push_back({EventKind::Pick, request.Title, answer.Value.value_or("")});
    if (!answer.Value)
        return std::nullopt;
    RequireDataSet(request);
    return RowOfKey(*request.DataSet, request.KeyField, *answer.Value);
}

std::optional<std::vector<int>> HeadlessPlatform::PickRows(const MultiPickRequest& request) {
    Answer answer = TakeAnswer(AnswerKind::PickRows, "multi-row pick \"" + request.Title + "\"");
    m_events.push_back({EventKind::PickRows, request.Title, answer.Value.value_or("")});
    if (!answer.Value)
        return std::nullopt;
    RequireDataSet(request);
    std::vector<int> rows;
    for (const std::string& key : SplitKeys(*answer.Value))
        rows.push_back(RowOfKey(*request.DataSet, request.KeyField, key));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void HeadlessPlatform::SetBusy(bool on, int kind) {
    m_busy = on;
    m_events.push_back({on ? EventKind::BusyOn : EventKind::BusyOff, {}, std::to_string(kind)});
}

void HeadlessPlatform::Refused(const std::string& what) {
    m_events.push_back({EventKind::Refusal, what, {}});
}

} // namespace ui
