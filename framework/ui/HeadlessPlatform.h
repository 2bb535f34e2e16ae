#pragma once

#include "ui/HeadlessError.h"
#include "ui/Platform.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The platform of tests and scripted runs: answers come from a queue the script fills, the modal
// loop runs actions the script supplies, and everything shown is recorded so that a test can
// assert what the operator saw. Whatever the script did not provide fails at once with a
// HeadlessError naming it; nothing ever waits.
class HeadlessPlatform : public Platform {
public:
    enum class EventKind { Error, Information, Question, Popup, Pick, PickRows, BusyOn, BusyOff, Refusal };
    enum class AnswerKind { YesNo, Popup, Pick, PickRows };

    struct Event {
        EventKind Kind;
        std::string Text;   // message, question, popup menu name, picker title, refusal
        std::string Answer; // "Yes"/"No", chosen item or keys, "" for none, busy kind
    };

    // Scripted answers, used in order.
    void AnswerYes();
    void AnswerNo();
    void ChoosePopupItem(const std::string& itemName);
    void ChooseNothing();
    void PickRow(const std::string& key);
    void PickNone();
    // Keys joined by '_' ("0001_0003"); an empty text marks nothing.
    void PickRows(const std::string& keysJoinedByUnderscore);
    void PickRowsCancel();
    std::size_t PendingAnswers() const { return m_answers.size(); }
    // Whether the next queued answer is of that kind.
    bool NextAnswerIs(AnswerKind kind) const { return !m_answers.empty() && m_answers.front().Kind == kind; }

    // Actions a modal loop runs, in order, one per turn.
    void QueueModalAction(std::function<void()> action);
    // Replaces the queue with a supplier (the script runner): it runs one action for the form and
    // returns false when it has nothing left.
    void SetModalSupplier(std::function<bool(Form&)> supplier);
    std::size_t PendingModalActions() const { return m_modalActions.size(); }

    const std::vector<Event>& Events() const { return m_events; }
    std::vector<std::string> TextsOf(EventKind kind) const;
    std::vector<std::string> Errors() const { return TextsOf(EventKind::Error); }
    std::vector<std::string> Infos() const { return TextsOf(EventKind::Information); }
    std::vector<std::string> Questions() const { return TextsOf(EventKind::Question); }
    std::vector<std::string> Refusals() const { return TextsOf(EventKind::Refusal); }
    // The operator saw this exact text as a message or a question.
    bool Saw(const std::string& text) const;
    void ClearEvents() { m_events.clear(); }

    bool IsBusy() const { return m_busy; }
    ui::Cursor CurrentCursor() const { return m_cursor; }
    int RepaintCount() const { return m_repaints; }
    int UpdateLockDepth() const { return m_updateLocks; }
    void SetMousePos(Point pos) { m_mousePos = pos; }

    void RunModalLoop(Form& form) override;
    bool AskYesNo(const std::string& text) override;
    void ShowMessage(MessageKind kind, const std::string& text) override;
    MenuItem* ShowPopup(PopupMenu& menu, Point screen) override;
    std::optional<int> PickRow(const PickRequest& request) override;
    std::optional<std::vector<int>> PickRows(const MultiPickRequest& request) override;
    void SetBusy(bool on, int kind) override;
    void SetCursor(ui::Cursor cursor) override { m_cursor = cursor; }
    void RepaintForm(Form&) override { ++m_repaints; }
    void LockWindowUpdate(Form&) override { ++m_updateLocks; }
    void UnlockWindowUpdate(Form&) override { --m_updateLocks; }
    Color ResolveColor(Color color) const override { return color.DefaultRgb(); }
    Point MousePos() const override { return m_mousePos; }
    void Refused(const std::string& what) override;

private:
    struct Answer {
        AnswerKind Kind;
        std::optional<std::string> Value; // Yes/No as "Yes"/"No"; nullopt = none/cancel
    };

    Answer TakeAnswer(AnswerKind kind, const std::string& what);

    std::deque<Answer> m_answers;
    std::deque<std::function<void()>> m_modalActions;
    std::function<bool(Form&)> m_supplier;
    std::vector<Event> m_events;
    bool m_busy = false;
    ui::Cursor m_cursor = Cursor::Default;
    int m_repaints = 0;
    int m_updateLocks = 0;
    Point m_mousePos;
};

} // namespace ui
