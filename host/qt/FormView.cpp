#include "qt/FormView.h"

#include "qt/ContainerView.h"
#include "qt/ControlViewFactory.h"
#include "qt/FormWindows.h"
#include "qt/QtColors.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MainMenu.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <algorithm>

namespace host {

FormView::FormView(ui::Form& form, QMdiArea& area, QMenuBar& bar)
    : m_form(form), m_dialog(form.FormStyle() != ui::FormStyle::MDIChild),
      m_watcher([this](QObject& watched, QEvent& event) { return WatchEvent(watched, event); }) {
    BuildWindow(area);
    if (form.Menu())
        m_menu = std::make_unique<MenuBarView>(*form.Menu(), bar, form);
    m_formSubscription = form.Subscribe([this](ui::Control&, ui::Property property) {
        if (!m_detached)
            ApplyFormProperty(property);
    });
    for (ui::Property property : {ui::Property::Caption, ui::Property::Bounds, ui::Property::Color})
        ApplyFormProperty(property);
    AddChildren(form, *m_client, nullptr);
    ApplyTabOrder();
}

FormView::~FormView() {
    if (!m_detached)
        m_form.Unsubscribe(m_formSubscription);
    m_menu.reset();
    // Children go before their containers.
    while (!m_views.empty())
        m_views.pop_back();
    if (m_window) {
        m_window->hide();
        // Not at once: this may run inside a signal of one of the window's own widgets.
        m_window->deleteLater();
    }
}

void FormView::BuildWindow(QMdiArea& area) {
    if (m_dialog) {
        auto* dialog = new DialogFormWindow(); // top level; deleted by the destructor above
        // A dialog or a question is answered, never minimised or maximised.
        dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint);
        dialog->OnCloseRequest = [this] {
            if (!m_detached)
                ui::UserActions(ui::Application::Instance()).CloseForm(m_form);
        };
        m_window = dialog;
        m_client = dialog;
    } else {
        auto* sub = new MdiFormWindow(); // owned by the MDI area once added
        sub->OnCloseRequest = [this] {
            if (!m_detached)
                ui::UserActions(ui::Application::Instance()).CloseForm(m_form);
        };
        m_client = new QWidget(sub); // owned by the sub-window
        sub->setWidget(m_client);
        area.addSubWindow(sub);
        m_window = sub;
    }
    m_window->setObjectName(QString::fromStdString(m_form.Name()));
    m_client->installEventFilter(&m_watcher);
}

QWidget* FormView::WidgetOf(const ui::Control& control) const {
    auto it = m_byControl.find(&control);
    return it == m_byControl.end() ? nullptr : &it->second->Widget();
}

void FormView::Show() {
    if (auto* dialog = qobject_cast<QDialog*>(m_window.data()))
        dialog->setWindowModality(m_form.IsModal() ? Qt::ApplicationModal : Qt::NonModal);
    m_window->show();
    m_window->raise();
}

void FormView::Hide() {
    m_window->hide();
}

void FormView::SetActive(bool active) {
    if (m_menu)
        m_menu->SetShown(active);
    if (!active)
        return;
    // The window the form is in takes the keyboard, as the desktop activates the main window again
    // when a dialog over it closes.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(m_window.data()); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    m_window->window()->activateWindow();
    ShowFocus(m_form.ActiveControl());
}

void FormView::ShowFocus(ui::Control* control, bool arrived) {
    auto it = control ? m_byControl.find(control) : m_byControl.end();
    if (it == m_byControl.end())
        return;
    m_showingFocus = true;
    it->second->Widget().setFocus(Qt::OtherFocusReason);
    m_showingFocus = false;
    if (arrived)
        it->second->FocusArrived();
}

void FormView::SetUpdatesLocked(bool locked) {
    m_window->setUpdatesEnabled(!locked);
}

void FormView::Detach() {
    m_detached = true;
    for (const auto& view : m_views)
        view->Detach();
    if (m_menu)
        m_menu->Detach();
}

void FormView::AddChildren(ui::Container& container, QWidget& host, ControlView* containerView) {
    for (ui::Control* child : container.Controls())
        AddControl(*child, host, containerView);
}

void FormView::AddControl(ui::Control& control, QWidget& host, ControlView* containerView) {
    if (m_byControl.contains(&control))
        return;
    std::unique_ptr<ControlView> owned = MakeControlView(control, host, containerView);
    ControlView& view = *owned;
    m_views.push_back(std::move(owned));
    m_byControl[&control] = &view;
    m_placement[&view] = {control.Parent(), containerView};
    Watch(view.Widget(), view);
    view.Refresh();
    if (auto* containerViewOfControl = dynamic_cast<ContainerView*>(&view)) {
        auto& container = dynamic_cast<ui::Container&>(control);
        containerViewOfControl->OnChildrenChanged = [this](ui::Container& c) { ChildrenChanged(c); };
        AddChildren(container, *view.ChildHost(), &view);
    }
}

void FormView::ChildrenChanged(ui::Container& container) {
    // Views of controls that left the container go; controls that arrived get views.
    std::vector<ControlView*> gone;
    const auto& controls = container.Controls();
    for (const auto& [view, placement] : m_placement) {
        if (placement.Container == &container &&
            std::find(controls.begin(), controls.end(), &view->Control()) == controls.end())
            gone.push_back(view);
    }
    for (ControlView* view : gone)
        RemoveView(*view);
    auto it = m_byControl.find(&container);
    QWidget* host =
        &container == &m_form ? m_client : (it == m_byControl.end() ? nullptr : it->second->ChildHost());
    if (host)
        AddChildren(container, *host, it == m_byControl.end() ? nullptr : it->second);
    ApplyTabOrder();
}

void FormView::ApplyTabOrder() {
    // Qt's own focus chain is the model's tab order: the widgets of the controls that take the
    // focus, in that order, tab stops first reachable by Tab; the parts that composite widgets are
    // made of (a tab widget's tab bar, a table's header) never hold the focus themselves.
    for (QWidget* part : m_client->findChildren<QWidget*>())
        if (!m_byWidget.contains(part))
            part->setFocusPolicy(Qt::NoFocus);
    if (m_client != m_window)
        m_client->setFocusPolicy(Qt::NoFocus);
    QWidget* previous = nullptr;
    for (ui::Control* control : m_form.TabChain()) {
        auto it = m_byControl.find(control);
        if (it == m_byControl.end())
            continue;
        QWidget& widget = it->second->Widget();
        // A widget that passes its focus on (a tab widget to its tab bar) takes it there, so a click
        // on a tab focuses the pages as a click on any control focuses it.
        QWidget& focused = widget.focusProxy() ? *widget.focusProxy() : widget;
        focused.setFocusPolicy(control->TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
        if (previous)
            QWidget::setTabOrder(previous, &widget);
        previous = &widget;
    }
}

void FormView::RemoveView(ControlView& view) {
    // The control may already be destroyed: its children are found through the views only.
    std::vector<ControlView*> children;
    for (const auto& [child, placement] : m_placement)
        if (placement.ContainerView == &view)
            children.push_back(child);
    for (ControlView* child : children)
        RemoveView(*child);
    view.Detach();
    m_byControl.erase(&view.Control());
    // The widget's focus proxy is watched for the view too; no entry may outlive the view.
    std::erase_if(m_byWidget, [&](const auto& entry) { return entry.second == &view; });
    m_placement.erase(&view);
    QWidget& widget = view.Widget();
    std::erase_if(m_views, [&](const auto& owned) { return owned.get() == &view; });
    // Hiding a widget that holds the Qt focus passes it on; the model, whose control is going
    // away, keeps its own focus and must not hear of that move.
    m_showingFocus = true;
    widget.hide();
    m_showingFocus = false;
    widget.deleteLater();
}

void FormView::Watch(QWidget& widget, ControlView& view) {
    m_byWidget[&widget] = &view;
    widget.installEventFilter(&m_watcher);
    if (QWidget* proxy = widget.focusProxy()) {
        m_byWidget[proxy] = &view;
        proxy->installEventFilter(&m_watcher);
    }
}

bool FormView::WatchEvent(QObject& watched, QEvent& event) {
    if (m_detached)
        return false;
    auto it = m_byWidget.find(&watched);
    if (it == m_byWidget.end())
        return false;
    ControlView& view = *it->second;
    if (view.IsDetached())
        return false;
    if (event.type() == QEvent::FocusIn) {
        FocusArrived(view);
        return false;
    }
    if (event.type() != QEvent::KeyPress)
        return false;
    std::optional<KeyPress> press = TranslateKey(static_cast<QKeyEvent&>(event));
    if (!press)
        return false;
    // The model has every key first; a typing key nobody took goes on to the line edit.
    return ui::UserActions(ui::Application::Instance()).OfferKey(view.Control(), press->Key, press->Shift);
}

void FormView::FocusArrived(ControlView& view) {
    ui::Control& control = view.Control();
    if (m_showingFocus || m_form.ActiveControl() == &control || !control.AcceptsFocus())
        return;
    ui::Application::Instance().Dispatch([&] { control.SetFocus(); });
    if (!m_detached && m_form.ActiveControl() != &control)
        ShowFocus(m_form.ActiveControl()); // the model kept the focus elsewhere
}

void FormView::ApplySize() {
    if (m_form.Width() <= 0 || m_form.Height() <= 0)
        return;
    // The form's size is its window's; where its controls reach further down or right (a size
    // counted with a caption the desktop draws elsewhere), the window grows so none is cut.
    QSize client(0, 0);
    for (const ui::Control* child : m_form.Controls())
        if (child->Visible())
            client =
                client.expandedTo(QSize(child->Bounds().Right + Margin, child->Bounds().Bottom + Margin));
    const QMargins frame = m_dialog ? QMargins() : m_window->contentsMargins();
    const QSize framed = client.grownBy(frame);
    m_window->resize(QSize(m_form.Width(), m_form.Height()).expandedTo(framed));
}

void FormView::ApplyFormProperty(ui::Property property) {
    switch (property) {
    case ui::Property::Caption:
        m_window->setWindowTitle(QString::fromStdString(m_form.Caption()));
        break;
    case ui::Property::Bounds:
        ApplySize();
        break;
    case ui::Property::Color:
        if (m_form.Color() != ui::clWindow) {
            QPalette palette = m_client->palette();
            palette.setColor(QPalette::Window, ToQColor(m_form.Color(), QApplication::palette()));
            m_client->setPalette(palette);
            m_client->setAutoFillBackground(true);
        }
        break;
    case ui::Property::Items:
        ChildrenChanged(m_form);
        break;
    case ui::Property::Status:
        if (OnStatusChanged)
            OnStatusChanged(m_form);
        break;
    case ui::Property::WindowState:
        if (m_form.WindowState() == ui::WindowState::Minimized)
            m_window->showMinimized();
        else if (m_form.WindowState() == ui::WindowState::Maximized)
            m_window->showMaximized();
        else if (m_window->isVisible())
            m_window->showNormal();
        break;
    default:
        break;
    }
}

} // namespace host
