#include "qt/ControlView.h"

#include "qt/QtColors.h"
#include "qt/QtFonts.h"
#include "ui/Application.h"

#include <QApplication>
#include <QWidget>

namespace host {

ControlView::ControlView(ui::Control& control, QWidget& widget) : m_control(control), m_widget(widget) {
    m_subscription = control.Subscribe([this](ui::Control&, ui::Property property) {
        if (!m_detached)
            Apply(property);
    });
    widget.setObjectName(QString::fromStdString(control.Name()));
    widget.setFocusPolicy(control.AcceptsFocus() ? Qt::StrongFocus : Qt::NoFocus);
}

ControlView::~ControlView() {
    if (!m_detached)
        m_control.Unsubscribe(m_subscription);
}

void ControlView::Refresh() {
    for (int p = static_cast<int>(ui::Property::Name); p <= static_cast<int>(ui::Property::FormStyle); ++p)
        Apply(static_cast<ui::Property>(p));
}

void ControlView::Apply(ui::Property property) {
    switch (property) {
    case ui::Property::Bounds: {
        ui::Rect bounds = m_control.Bounds();
        if (bounds.Width() > 0 && bounds.Height() > 0)
            m_widget.setGeometry(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        break;
    }
    case ui::Property::Caption:
        ApplyCaption();
        break;
    case ui::Property::Enabled:
        m_widget.setEnabled(m_control.Enabled());
        break;
    case ui::Property::Visible:
        m_widget.setVisible(m_control.Visible());
        break;
    case ui::Property::Color:
        ApplyColor();
        break;
    case ui::Property::Font:
        ApplyFont();
        break;
    case ui::Property::Hint:
        m_widget.setToolTip(QString::fromStdString(m_control.Hint()));
        break;
    case ui::Property::Name:
        m_widget.setObjectName(QString::fromStdString(m_control.Name()));
        break;
    default:
        break;
    }
}

void ControlView::ApplyFont() {
    const ui::Font& font = m_control.Font();
    m_widget.setFont(ToQFont(font));
    QPalette palette = m_widget.palette();
    QColor text = ToQColor(font.Color, QApplication::palette());
    // Only the active groups: a disabled widget keeps the desktop's greyed text.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, text);
    m_widget.setPalette(palette);
}

ui::UserActions ControlView::Actions() {
    return ui::UserActions(ui::Application::Instance());
}

bool ControlView::Dispatch(const std::function<void()>& action) {
    return ui::Application::Instance().Dispatch(action);
}

} // namespace host
