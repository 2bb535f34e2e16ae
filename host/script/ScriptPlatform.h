#pragma once

#include "script/Transcript.h"
#include "ui/HeadlessPlatform.h"

#include <functional>
#include <string>

namespace host {

// The platform while a script runs, in front of the desktop view when there is one. Everything
// that needs a person is answered from the script's queue and written to the transcript here,
// the same way on every platform, so a script gives the same transcript headless and on the
// desktop; painting and the view's notifications go on to the view. A question or a list with no
// answer queued for it opens its window (ui::QuestionForm, ui::PickerForm), and the following
// script lines run inside it, as keys and clicks of a person would.
class ScriptPlatform : public ui::Platform {
public:
    ScriptPlatform(Transcript& transcript, ui::Platform* view);

    // The queue of scripted answers (yes/no, popup choices, row picks).
    ui::HeadlessPlatform& Answers() { return m_answers; }
    // Runs the next script line for an open modal form; false when the script has none left.
    void SetLineSupplier(std::function<bool(ui::Form&)> supplier);
    // The text of the last message shown, or "" when none was.
    const std::string& LastMessage() const { return m_lastMessage; }
    // Error and information messages shown since the run began.
    int MessageCount() const { return m_messageCount; }
    // The text of the last question asked, or "".
    const std::string& LastQuestion() const { return m_lastQuestion; }
    // The title of the last single- or multi-row pick list, or "".
    const std::string& LastPickTitle() const { return m_lastPickTitle; }
    // Whether the busy animation runs now.
    bool Busy() const { return m_busy; }

    void RunModalLoop(ui::Form& form) override;
    bool AskYesNo(const std::string& text) override;
    void ShowMessage(ui::MessageKind kind, const std::string& text) override;
    ui::MenuItem* ShowPopup(ui::PopupMenu& menu, ui::Point screen) override;
    std::optional<int> PickRow(const ui::PickRequest& request) override;
    std::optional<std::vector<int>> PickRows(const ui::MultiPickRequest& request) override;
    void SetBusy(bool on, int kind) override;
    void SetCursor(ui::Cursor cursor) override { Shown().SetCursor(cursor); }
    void RepaintForm(ui::Form& form) override { Shown().RepaintForm(form); }
    void LockWindowUpdate(ui::Form& form) override { Shown().LockWindowUpdate(form); }
    void UnlockWindowUpdate(ui::Form& form) override { Shown().UnlockWindowUpdate(form); }
    ui::Color ResolveColor(ui::Color color) const override { return Shown().ResolveColor(color); }
    ui::Point MousePos() const override { return Shown().MousePos(); }
    void Refused(const std::string& what) override;

    void FormShown(ui::Form& form) override { Shown().FormShown(form); }
    void FormHidden(ui::Form& form) override { Shown().FormHidden(form); }
    void FormDestroyed(ui::Form& form) override { Shown().FormDestroyed(form); }
    void ActiveFormChanged(ui::Form* form) override { Shown().ActiveFormChanged(form); }
    void FocusChanged(ui::Form& form, ui::Control* control) override { Shown().FocusChanged(form, control); }

private:
    // Where painting and notifications go: the view, or the answer queue's own recorder.
    ui::Platform& Shown() const { return *m_shown; }
    // "TEXT -> ANSWER" of the choice the answer queue just recorded.
    std::string LastChoice() const;
    // The keys of the rows picked in a list window, joined by "_", or "none".
    static std::string PickedKeys(const ui::PickRequest& request, const std::vector<int>* rows);

    Transcript& m_transcript;
    ui::HeadlessPlatform m_answers;
    ui::Platform* m_shown;
    std::string m_lastMessage;
    int m_messageCount = 0;
    std::string m_lastQuestion;
    std::string m_lastPickTitle;
    bool m_busy = false;
};

} // namespace host
