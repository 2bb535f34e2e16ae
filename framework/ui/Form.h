#pragma once

#include "ui/Container.h"
#include "ui/FocusManager.h"
#include "ui/FormTypes.h"

#include <functional>
#include <string>

namespace ui {

class MainMenu;

// A window. Forms register with the application; the application's CreateForm runs OnCreate
// after the derived constructor has built the controls.
class Form : public Container {
public:
    using CloseEvent = std::function<void(Form& sender, CloseAction& action)>;

    explicit Form(std::string name = {});
    ~Form() override;

    Form* ParentForm() const override { return const_cast<Form*>(this); }

    ui::FormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(ui::FormStyle style);
    ui::WindowState WindowState() const { return m_windowState; }
    void SetWindowState(ui::WindowState state);
    const std::string& HelpFile() const { return m_helpFile; }
    void SetHelpFile(const std::string& helpFile) { m_helpFile = helpFile; }
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int helpContext) { m_helpContext = helpContext; }
    bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool keyPreview) { m_keyPreview = keyPreview; }
    MainMenu* Menu() const { return m_menu; }
    void SetMenu(MainMenu* menu) { m_menu = menu; }

    // Non-modal: shown as a child of the main window and made the active form. A form shown
    // without a focused control focuses its first control in tab order.
    void Show();
    void Hide();
    // Shown and made active; returns when closed, with the modal result.
    ui::ModalResult ShowModal();
    // ShowModal for a window used once: released when its loop ends, however it ends.
    ui::ModalResult ShowModalOnce();
    bool IsModal() const { return m_modal; }
    ui::ModalResult ModalResult() const { return m_modalResult; }
    // Setting a result other than None on a modal form ends its modal loop.
    void SetModalResult(ui::ModalResult result);
    // The platform's modal loop runs until this is true.
    bool IsModalLoopDone() const { return !m_modal || m_modalResult != ModalResult::None || !Visible(); }
    // Runs OnClose and then does what its action says.
    void Close();
    // Deletes the form at the application's next safe point (never inside its own handlers).
    void Release();
    bool IsReleasing() const { return m_releasing; }
    void BringToFront();
    void Repaint();
    bool IsActive() const;

    // What the form tells in the status bar while it is the active window.
    const std::string& StatusText(StatusPart part) const {
        return part == StatusPart::Summary ? m_statusSummary : m_statusMessage;
    }
    void SetStatusText(StatusPart part, const std::string& text);

    Control* ActiveControl() const { return m_focus.Focused(); }
    void FocusControl(Control& control) { m_focus.Focus(control); }
    void SelectNext(bool forward) { m_focus.SelectNext(forward); }

    // Counted; the platform is asked on the first lock and the last unlock.
    void LockWindowUpdate();
    void UnlockWindowUpdate();

    // Run by the application's creation helper.
    void DoCreate();
    // Run by the application when this form becomes or stops being the active form.
    void DoActivate();
    void DoDeactivate();

    NotifyEvent OnCreate;
    NotifyEvent OnActivate;
    NotifyEvent OnDeactivate;
    NotifyEvent OnShow;
    NotifyEvent OnHide;
    CloseEvent OnClose;

protected:
    void ControlRemoving(Control& control) override;

private:
    CloseAction DefaultCloseAction() const;
    // After the modal loop ended by a modal result: the usual close step, which may keep it open.
    bool CloseFromModalResult();

    FocusManager m_focus{*this};
    ui::FormStyle m_formStyle = FormStyle::Normal;
    ui::WindowState m_windowState = WindowState::Normal;
    std::string m_helpFile;
    int m_helpContext = 0;
    bool m_keyPreview = false;
    MainMenu* m_menu = nullptr;
    bool m_modal = false;
    ui::ModalResult m_modalResult = ModalResult::None;
    bool m_releasing = false;
    int m_updateLocks = 0;
    std::string m_statusSummary;
    std::string m_statusMessage;
};

} // namespace ui
