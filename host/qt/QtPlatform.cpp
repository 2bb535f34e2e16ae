#include "qt/QtPlatform.h"

#include "qt/Dialogs.h"
#include "qt/FormView.h"
#include "qt/MainWindow.h"
#include "qt/QtColors.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/PickerForm.h"
#include "ui/QuestionForm.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace host {

QtPlatform::QtPlatform(MainWindow& mainWindow) : m_main(mainWindow) {
    m_main.OnSubWindowActivated = [this](QMdiSubWindow* window) {
        // A person brought a form's window to the front: the model makes that form active.
        for (const auto& [form, view] : m_views) {
            if (&view->Window() == static_cast<QWidget*>(window) && form != m_active) {
                ui::Form& target = view->Form();
                ui::Application::Instance().Dispatch([&] { target.BringToFront(); });
                return;
            }
        }
    };
}

QtPlatform::~QtPlatform() {
    m_main.OnSubWindowActivated = nullptr;
}

void QtPlatform::RunModalLoop(ui::Form& form) {
    EnsureView(form).Show();
    QEventLoop loop;
    int subscription = form.Subscribe([&](ui::Control&, ui::Property) {
        if (form.IsModalLoopDone())
            loop.quit();
    });
    if (!form.IsModalLoopDone())
        loop.exec();
    form.Unsubscribe(subscription);
}

bool QtPlatform::AskYesNo(const std::string& text) {
    return ui::QuestionForm::Ask(text);
}

void QtPlatform::ShowMessage(ui::MessageKind kind, const std::string& text) {
    host::ShowMessage(DialogParent(), kind, text);
}

ui::MenuItem* QtPlatform::ShowPopup(ui::PopupMenu& menu, ui::Point screen) {
    return host::ShowPopup(menu, screen);
}

std::optional<int> QtPlatform::PickRow(const ui::PickRequest& request) {
    return ui::PickerForm::PickRow(request);
}

std::optional<std::vector<int>> QtPlatform::PickRows(const ui::MultiPickRequest& request) {
    return ui::PickerForm::PickRows(request);
}

void QtPlatform::SetBusy(bool on, int) {
    if (on == m_busy)
        return;
    m_busy = on;
    m_main.SetBusy(on);
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    // The call that follows blocks the event loop: show the indicator now.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::SetCursor(ui::Cursor cursor) {
    bool hourGlass = cursor == ui::Cursor::HourGlass;
    if (hourGlass == m_hourGlass)
        return;
    m_hourGlass = hourGlass;
    if (hourGlass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtPlatform::RepaintForm(ui::Form& form) {
    if (FormView* view = ViewOf(form))
        view->Window().update();
}

void QtPlatform::LockWindowUpdate(ui::Form& form) {
    if (FormView* view = ViewOf(form))
        view->SetUpdatesLocked(true);
}

void QtPlatform::UnlockWindowUpdate(ui::Form& form) {
    if (FormView* view = ViewOf(form))
        view->SetUpdatesLocked(false);
}

ui::Color QtPlatform::ResolveColor(ui::Color color) const {
    return host::ResolveColor(color, QApplication::palette());
}

ui::Point QtPlatform::MousePos() const {
    QPoint pos = QCursor::pos();
    return {pos.x(), pos.y()};
}

void QtPlatform::Refused(const std::string&) {
    QApplication::beep();
}

void QtPlatform::FormShown(ui::Form& form) {
    FormView& view = EnsureView(form);
    view.Show();
    if (!view.IsDialog())
        m_main.MakeRoomFor(view.Window().size());
}

void QtPlatform::FormHidden(ui::Form& form) {
    if (FormView* view = ViewOf(form))
        view->Hide();
}

void QtPlatform::FormDestroyed(ui::Form& form) {
    auto it = m_views.find(&form);
    if (it == m_views.end())
        return;
    it->second->Detach();
    m_views.erase(it);
    if (m_active == &form)
        m_active = nullptr;
    if (m_statusForm == &form) {
        m_statusForm = nullptr;
        m_main.ShowStatus("", "");
    }
}

void QtPlatform::ActiveFormChanged(ui::Form* form) {
    if (form == m_active)
        return;
    if (FormView* previous = m_active ? ViewOf(*m_active) : nullptr)
        previous->SetActive(false);
    m_active = form;
    if (FormView* view = form && form->Visible() ? &EnsureView(*form) : nullptr)
        view->SetActive(true);
    // A dialog over a screen leaves the screen's status in the bar.
    if (form && form->FormStyle() == ui::FormStyle::MDIChild) {
        m_statusForm = form;
        ShowStatusOf(*form);
    }
}

void QtPlatform::ShowStatusOf(const ui::Form& form) {
    m_main.ShowStatus(form.StatusText(ui::StatusPart::Message), form.StatusText(ui::StatusPart::Summary));
}

void QtPlatform::FocusChanged(ui::Form& form, ui::Control* control) {
    if (FormView* view = ViewOf(form))
        view->ShowFocus(control, true);
}

FormView* QtPlatform::ViewOf(const ui::Form& form) const {
    auto it = m_views.find(&form);
    return it == m_views.end() ? nullptr : it->second.get();
}

FormView& QtPlatform::EnsureView(ui::Form& form) {
    auto& view = m_views[&form];
    if (!view) {
        view = std::make_unique<FormView>(form, m_main.Area(), *m_main.menuBar());
        view->OnStatusChanged = [this](const ui::Form& changed) {
            if (&changed == m_statusForm)
                ShowStatusOf(changed);
        };
    }
    return *view;
}

QWidget* QtPlatform::DialogParent() const {
    if (FormView* view = m_active ? ViewOf(*m_active) : nullptr; view && view->IsDialog())
        return &view->Window();
    return &m_main;
}

} // namespace host
