#include "qt/ButtonView.h"

#include "ui/Container.h"
#include "ui/SpeedButton.h"

#include <QAbstractButton>

namespace host {

ButtonView::ButtonView(ui::Control& button, QAbstractButton& widget)
    : ControlView(button, widget), m_button(widget) {
    QObject::connect(&widget, &QAbstractButton::clicked, &Context(), [this] { Actions().Click(Control()); });
}

void ButtonView::Apply(ui::Property property) {
    ControlView::Apply(property);
    if (property == ui::Property::Hint)
        ApplyCaption();
    if (property == ui::Property::Bounds || property == ui::Property::Hint ||
        property == ui::Property::Caption)
        PlaceUnsized();
}

void ButtonView::PlaceUnsized() {
    // A tool button the form gave no size still has to be reachable: it takes a text-sized slot
    // in a row after the other unsized tool buttons of its container.
    if (Control().Width() > 0 || !Control().Parent() || !dynamic_cast<ui::SpeedButton*>(&Control()))
        return;
    int left = 4;
    for (ui::Control* sibling : Control().Parent()->Controls()) {
        if (sibling == &Control())
            break;
        if (dynamic_cast<ui::SpeedButton*>(sibling) && sibling->Width() == 0 && sibling->Visible())
            left += UnsizedWidth(*sibling) + 2;
    }
    m_button.setGeometry(left, 2, UnsizedWidth(Control()), 25);
}

int ButtonView::UnsizedWidth(const ui::Control& button) const {
    const std::string& text = button.Caption().empty() ? button.Hint() : button.Caption();
    return m_button.fontMetrics().horizontalAdvance(QString::fromStdString(text)) + 12;
}

void ButtonView::ApplyCaption() {
    const std::string& caption = Control().Caption();
    m_button.setText(QString::fromStdString(caption.empty() ? Control().Hint() : caption));
}

} // namespace host
