#include "ui/Application.h"

#include "data/Clock.h"
#include "ui/Abort.h"
#include "ui/Form.h"
#include "ui/HeadlessError.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {

Application* current = nullptr;

class DepthScope {
public:
    explicit DepthScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthScope() { --m_depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;

private:
    int& m_depth;
};

} // namespace

Application::Application() : Component("Application") {
    if (current)
        throw std::logic_error("there is already an application object");
    current = this;
}

Application::~Application() {
    DestroyOwnedComponents();
    current = nullptr;
}

Application& Application::Instance() {
    if (!current)
        throw std::logic_error("no application object");
    return *current;
}

Application* Application::Current() {
    return current;
}

ui::Platform& Application::Platform() const {
    if (!m_platform)
        throw std::logic_error("the application has no platform");
    return *m_platform;
}

void Application::SetCursor(ui::Cursor cursor) {
    if (cursor == m_cursor)
        return;
    m_cursor = cursor;
    Platform().SetCursor(cursor);
}

bool Application::AskYesNo(const std::string& text) {
    return Platform().AskYesNo(text);
}

void Application::ShowError(const std::string& text) {
    Platform().ShowMessage(MessageKind::Error, text);
}

void Application::ShowInfo(const std::string& text) {
    Platform().ShowMessage(MessageKind::Information, text);
}

Point Application::MousePos() const {
    return Platform().MousePos();
}

double Application::Today() const {
    return data::Clock::Today();
}

bool Application::Dispatch(const std::function<void()>& action) {
    bool completed = false;
    {
        DepthScope depth(m_dispatchDepth);
        try {
            action();
            completed = true;
        } catch (const HeadlessError&) {
            throw;
        } catch (const Abort&) {
        } catch (const std::exception& e) {
            ShowError(e.what());
        }
    }
    if (m_dispatchDepth == 0)
        ProcessDeferredReleases();
    return completed;
}

void Application::ProcessDeferredReleases() {
    while (!m_releaseQueue.empty()) {
        Form* form = m_releaseQueue.front();
        m_releaseQueue.erase(m_releaseQueue.begin());
        if (form->Owner())
            form->Owner()->DestroyComponent(*form);
    }
}

void Application::RegisterForm(Form& form) {
    m_forms.push_back(&form);
}

void Application::UnregisterForm(Form& form) {
    m_menuKeys.Forget(form);
    std::erase(m_forms, &form);
    std::erase(m_activationOrder, &form);
    std::erase(m_releaseQueue, &form);
    std::erase(m_modalForms, &form);
    if (m_mainForm == &form)
        m_mainForm = nullptr;
    if (m_activeForm == &form) {
        m_activeForm = nullptr;
        if (m_platform)
            m_platform->ActiveFormChanged(nullptr);
    }
    if (m_platform)
        m_platform->FormDestroyed(form);
}

void Application::ActivateForm(Form& form) {
    if (m_activeForm == &form)
        return;
    Form* previous = m_activeForm;
    m_activeForm = &form;
    std::erase(m_activationOrder, &form);
    m_activationOrder.push_back(&form);
    if (previous) {
        m_menuKeys.Forget(*previous);
        previous->DoDeactivate();
    }
    Platform().ActiveFormChanged(&form);
    form.DoActivate();
}

void Application::FormHidden(Form& form) {
    if (m_activeForm != &form)
        return;
    m_activeForm = nullptr;
    form.DoDeactivate();
    if (Form* next = MostRecentVisibleForm())
        ActivateForm(*next);
    else
        Platform().ActiveFormChanged(nullptr);
}

Form* Application::MostRecentVisibleForm() const {
    for (auto it = m_activationOrder.rbegin(); it != m_activationOrder.rend(); ++it) {
        if ((*it)->Visible() && !(*it)->IsReleasing())
            return *it;
    }
    return nullptr;
}

void Application::QueueRelease(Form& form) {
    if (std::find(m_releaseQueue.begin(), m_releaseQueue.end(), &form) == m_releaseQueue.end())
        m_releaseQueue.push_back(&form);
}

void Application::PopModal(Form& form) {
    auto it = std::find(m_modalForms.rbegin(), m_modalForms.rend(), &form);
    if (it != m_modalForms.rend())
        m_modalForms.erase(std::next(it).base());
}

void Application::RunCreate(Form& form) {
    if (!m_mainForm)
        m_mainForm = &form;
    try {
        form.DoCreate();
    } catch (...) {
        DestroyComponent(form);
        throw;
    }
}

} // namespace ui
