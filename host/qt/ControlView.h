#pragma once

#include "qt/QtKeys.h"
#include "ui/Control.h"
#include "ui/Property.h"
#include "ui/UserActions.h"

#include <QObject>

class QWidget;

namespace host {

// Keeps one widget in step with one control of the model: every property notification of the
// control is applied to the widget, and what a person does with the widget goes back to the
// model as a user action, so the model's rules decide and the widget then shows the outcome.
class ControlView {
public:
    ControlView(ui::Control& control, QWidget& widget);
    virtual ~ControlView();
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    ui::Control& Control() const { return m_control; }
    QWidget& Widget() const { return m_widget; }
    // Where the widgets of the control's children go; nullptr for a control without children.
    virtual QWidget* ChildHost() { return nullptr; }
    // Applies every property, as after creation.
    void Refresh();
    // The control is being destroyed: the view must never touch it again.
    virtual void Detach() { m_detached = true; }
    bool IsDetached() const { return m_detached; }
    // The model's focus has just moved to this control.
    virtual void FocusArrived() {}

protected:
    virtual void Apply(ui::Property property);
    virtual void ApplyCaption() {}
    virtual void ApplyColor() {}
    void ApplyFont();
    // Receiver of the widget's signals; connections end with the view.
    QObject& Context() { return m_context; }
    static ui::UserActions Actions();
    static bool Dispatch(const std::function<void()>& action);

private:
    ui::Control& m_control;
    QWidget& m_widget;
    QObject m_context;
    int m_subscription = 0;
    bool m_detached = false;
};

} // namespace host
