#include "ui/Form.h"

#include "ui/Application.h"

#include <stdexcept>

namespace ui {

namespace {

// Ends the modal state on every path out of ShowModal, a failing modal loop included.
class ModalScope {
public:
    ModalScope(Application& app, Form& form, bool& modal) : m_app(app), m_form(form), m_modal(modal) {
        m_modal = true;
        m_app.PushModal(m_form);
    }
    ~ModalScope() {
        m_modal = false;
        m_app.PopModal(m_form);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    Application& m_app;
    Form& m_form;
    bool& m_modal;
};

} // namespace

Form::Form(std::string name) : Container(std::move(name)) {
    SetVisible(false);
    SetTabStop(false);
    if (Application* app = Application::Current())
        app->RegisterForm(*this);
}

Form::~Form() {
    // The controls reach the focus manager while they go; destroy them while it still exists.
    DestroyOwnedComponents();
    if (Application* app = Application::Current())
        app->UnregisterForm(*this);
}

void Form::SetFormStyle(ui::FormStyle style) {
    Update(m_formStyle, style, Property::FormStyle);
}

void Form::SetWindowState(ui::WindowState state) {
    Update(m_windowState, state, Property::WindowState);
}

void Form::Show() {
    Application& app = Application::Instance();
    if (!Visible()) {
        SetVisible(true);
        app.Platform().FormShown(*this);
        if (OnShow)
            OnShow(*this);
        // A window shown without a focused control gives the focus to its first control in tab
        // order, as the desktop does, so a key goes where it would on the screen.
        if (!ActiveControl())
            SelectNext(true);
    }
    BringToFront();
}

void Form::Hide() {
    if (!Visible())
        return;
    SetVisible(false);
    if (OnHide)
        OnHide(*this);
    Application& app = Application::Instance();
    app.Platform().FormHidden(*this);
    app.FormHidden(*this);
}

ui::ModalResult Form::ShowModal() {
    if (m_modal || Visible())
        throw std::logic_error("ShowModal: " + Name() + " is already showing");
    Application& app = Application::Instance();
    m_modalResult = ModalResult::None;
    {
        ModalScope scope(app, *this, m_modal);
        try {
            Show();
            for (;;) {
                app.Platform().RunModalLoop(*this);
                if (!Visible() || CloseFromModalResult())
                    break;
            }
        } catch (...) {
            Hide();
            throw;
        }
    }
    if (m_modalResult == ModalResult::None)
        m_modalResult = ModalResult::Cancel;
    return m_modalResult;
}

ui::ModalResult Form::ShowModalOnce() {
    try {
        const ui::ModalResult result = ShowModal();
        Release();
        return result;
    } catch (...) {
        Release();
        throw;
    }
}

void Form::SetStatusText(StatusPart part, const std::string& text) {
    Update(part == StatusPart::Summary ? m_statusSummary : m_statusMessage, text, Property::Status);
}

void Form::SetModalResult(ui::ModalResult result) {
    Update(m_modalResult, result, Property::ModalResult);
}

CloseAction Form::DefaultCloseAction() const {
    if (m_formStyle == FormStyle::MDIChild && !m_modal)
        return CloseAction::Minimize;
    return CloseAction::Hide;
}

bool Form::CloseFromModalResult() {
    CloseAction action = CloseAction::Hide;
    if (OnClose)
        OnClose(*this, action);
    if (action == CloseAction::None) {
        SetModalResult(ModalResult::None);
        return false;
    }
    Hide();
    if (action == CloseAction::Free)
        Release();
    return true;
}

void Form::Close() {
    if (m_modal) {
        // The modal loop ends on the result and runs the close step itself.
        if (m_modalResult == ModalResult::None)
            SetModalResult(ModalResult::Cancel);
        return;
    }
    CloseAction action = DefaultCloseAction();
    if (OnClose)
        OnClose(*this, action);
    switch (action) {
    case CloseAction::None:
        return;
    case CloseAction::Hide:
        Hide();
        return;
    case CloseAction::Minimize:
        SetWindowState(WindowState::Minimized);
        return;
    case CloseAction::Free:
        Hide();
        Release();
        return;
    }
}

void Form::Release() {
    if (m_releasing)
        return;
    m_releasing = true;
    Application::Instance().QueueRelease(*this);
}

void Form::BringToFront() {
    Application::Instance().ActivateForm(*this);
}

void Form::Repaint() {
    Application::Instance().Platform().RepaintForm(*this);
}

bool Form::IsActive() const {
    Application* app = Application::Current();
    return app && app->ActiveForm() == this;
}

void Form::LockWindowUpdate() {
    if (m_updateLocks++ == 0)
        Application::Instance().Platform().LockWindowUpdate(*this);
}

void Form::UnlockWindowUpdate() {
    if (m_updateLocks == 0)
        return;
    if (--m_updateLocks == 0)
        Application::Instance().Platform().UnlockWindowUpdate(*this);
}

void Form::DoCreate() {
    if (OnCreate)
        OnCreate(*this);
}

void Form::DoActivate() {
    if (OnActivate)
        OnActivate(*this);
}

void Form::DoDeactivate() {
    if (OnDeactivate)
        OnDeactivate(*this);
}

void Form::ControlRemoving(Control& control) {
    m_focus.Forget(control);
}

} // namespace ui
