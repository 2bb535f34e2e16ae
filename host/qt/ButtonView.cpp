#include "qt/ButtonView.h"

#include <QAbstractButton>

namespace host {

ButtonView::ButtonView(ui::Control& button, QAbstractButton& widget) : ControlView(button, widget), m_button(widget) {
    QObject::connect(&widget, &QAbstractButton::clicked, &Context(), [this] { Actions().Click(Control()); });
}

void ButtonView::Apply(ui::Property property) {
    ControlView::Apply(property);
    if (property == ui::Property::Hint)
        ApplyCaption();
}

void ButtonView::ApplyCaption() {
    const std::string& caption = Control().Caption();
    m_button.setText(QString::fromStdString(caption.empty() ? Control().Hint() : caption));
}

} // namespace host
