#include "qt/ButtonView.h"

#include <QAbstractButton>
#include <QFontMetrics>

namespace host {

ButtonView::ButtonView(ui::Control& button, QAbstractButton& widget)
    : ControlView(button, widget), m_button(widget) {
    QObject::connect(&widget, &QAbstractButton::clicked, &Context(), [this] { Actions().Click(Control()); });
}

void ButtonView::Apply(ui::Property property) {
    ControlView::Apply(property);
    if (property == ui::Property::Hint || property == ui::Property::Bounds || property == ui::Property::Font)
        ApplyCaption();
}

void ButtonView::ApplyCaption() {
    const std::string& caption = Control().Caption();
    m_button.setText(FittingText(QString::fromStdString(caption.empty() ? Control().Hint() : caption)));
}

QString ButtonView::FittingText(QString text) const {
    // Cut at the end rather than clipped at both sides by the style; the whole hint stays the
    // tool tip.
    const int room = Control().Bounds().Width() - 6;
    if (room <= 0)
        return text;
    const QFontMetrics metrics = m_button.fontMetrics();
    while (text.size() > 1 && metrics.horizontalAdvance(text) > room)
        text.chop(1);
    return text;
}

} // namespace host
