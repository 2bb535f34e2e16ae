#pragma once

#include "qt/ControlView.h"
#include "qt/EventWatcher.h"
#include "qt/MenuBarView.h"

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QMdiArea;
class QMenuBar;

namespace ui {
class Container;
class Form;
} // namespace ui

namespace host {

// The window of one form with the widgets of all its controls. MDI-child forms are sub-windows
// of the main window's MDI area; the other forms are dialogs, modal while the form's modal loop
// runs. Keys and focus changes of the widgets go through the model's focus and key handling.
class FormView {
public:
    FormView(ui::Form& form, QMdiArea& area, QMenuBar& bar);
    ~FormView();
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    ui::Form& Form() const { return m_form; }
    // The sub-window or dialog.
    QWidget& Window() const { return *m_window; }
    bool IsDialog() const { return m_dialog; }
    // The form's menu merged into the menu bar, or nullptr.
    MenuBarView* Menu() const { return m_menu.get(); }
    // The widget of a control of this form, or nullptr.
    QWidget* WidgetOf(const ui::Control& control) const;

    void Show();
    void Hide();
    // The form became (or stopped being) the active form.
    void SetActive(bool active);
    // Gives the control's widget the Qt focus; `arrived` when the model's focus just moved there.
    void ShowFocus(ui::Control* control, bool arrived = false);
    void SetUpdatesLocked(bool locked);
    // The form is being destroyed: from now on the view never touches the model.
    void Detach();

    // The form's status bar texts changed.
    std::function<void(const ui::Form&)> OnStatusChanged;

private:
    void BuildWindow(QMdiArea& area);
    void AddChildren(ui::Container& container, QWidget& host, ControlView* containerView);
    void AddControl(ui::Control& control, QWidget& host, ControlView* containerView);
    void ChildrenChanged(ui::Container& container);
    void RemoveView(ControlView& view);
    void Watch(QWidget& widget, ControlView& view);
    bool WatchEvent(QObject& watched, QEvent& event);
    void FocusArrived(ControlView& view);
    void ApplyFormProperty(ui::Property property);
    void ApplySize();
    void ApplyTabOrder();

    // Room kept between a window's edges and the controls nearest to them, in pixels.
    static constexpr int Margin = 4;

    ui::Form& m_form;
    bool m_dialog;
    QPointer<QWidget> m_window;
    QWidget* m_client = nullptr;
    std::unique_ptr<MenuBarView> m_menu;
    EventWatcher m_watcher;
    std::vector<std::unique_ptr<ControlView>> m_views; // containers before their children
    std::map<const ui::Control*, ControlView*> m_byControl;
    std::map<const QObject*, ControlView*> m_byWidget;
    struct Placement {
        const ui::Container* Container; // as recorded: it may be gone when the view is removed
        ControlView* ContainerView;     // nullptr for the form's own children
    };
    std::map<ControlView*, Placement> m_placement;
    int m_formSubscription = 0;
    bool m_detached = false;
    bool m_showingFocus = false;
};

} // namespace host
