#pragma once

#include "ui/Component.h"
#include "ui/Geometry.h"
#include "ui/MenuKeys.h"
#include "ui/Platform.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class Form;

// The one application object of the process: forms, the active form, dialog services and the
// top-level dispatcher that keeps a handler's failure from ending the program.
class Application : public Component {
public:
    Application();
    ~Application() override;

    // The application object of the process; throws std::logic_error when there is none.
    static Application& Instance();
    static Application* Current();

    ui::Platform& Platform() const;
    bool HasPlatform() const { return m_platform != nullptr; }
    // The platform is not owned and must outlive its use.
    void SetPlatform(ui::Platform& platform) { m_platform = &platform; }

    // Builds a form owned by the application, then runs its OnCreate. A failing OnCreate
    // destroys the form again and goes on to the caller.
    template <class T, class... Args> T& CreateForm(Args&&... args) {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        T& form = *owned;
        Adopt(std::move(owned));
        RunCreate(form);
        return form;
    }

    Form* MainForm() const { return m_mainForm; }
    void SetMainForm(Form* form) { m_mainForm = form; }
    Form* ActiveForm() const { return m_activeForm; }
    const std::vector<Form*>& Forms() const { return m_forms; }
    // The innermost form whose modal loop is running, or nullptr.
    Form* ModalForm() const { return m_modalForms.empty() ? nullptr : m_modalForms.back(); }

    // The menu bar of the active form as the keyboard works it.
    MenuKeys& MenuBarKeys() { return m_menuKeys; }

    ui::Cursor Cursor() const { return m_cursor; }
    void SetCursor(ui::Cursor cursor);
    bool AskYesNo(const std::string& text);
    void ShowError(const std::string& text);
    void ShowInfo(const std::string& text);
    Point MousePos() const;
    // Today's date as a date value, from the injectable clock.
    double Today() const;

    // Runs an action as the top level of an event: Abort is swallowed, any other std::exception
    // is shown as an error message; HeadlessError goes on. Returns true when the action ended
    // normally. Deferred releases run when the outermost dispatch ends.
    bool Dispatch(const std::function<void()>& action);
    bool IsDispatching() const { return m_dispatchDepth > 0; }
    void ProcessDeferredReleases();

    // Used by Form.
    void RegisterForm(Form& form);
    void UnregisterForm(Form& form);
    void ActivateForm(Form& form);
    void FormHidden(Form& form);
    void QueueRelease(Form& form);
    void PushModal(Form& form) { m_modalForms.push_back(&form); }
    void PopModal(Form& form);

private:
    void RunCreate(Form& form);
    Form* MostRecentVisibleForm() const;

    ui::Platform* m_platform = nullptr;
    Form* m_mainForm = nullptr;
    Form* m_activeForm = nullptr;
    std::vector<Form*> m_forms;
    std::vector<Form*> m_activationOrder; // least recent first
    std::vector<Form*> m_modalForms;
    std::vector<Form*> m_releaseQueue;
    ui::Cursor m_cursor = Cursor::Default;
    MenuKeys m_menuKeys;
    int m_dispatchDepth = 0;
};

} // namespace ui
