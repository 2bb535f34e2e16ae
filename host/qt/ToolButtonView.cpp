#include "qt/ToolButtonView.h"

#include "qt/GlyphIcons.h"
#include "ui/SpeedButton.h"

#include <QToolButton>
#include <algorithm>

namespace host {

namespace {

// The largest usual icon size that leaves a small margin inside the button.
int IconSide(const ui::Rect& bounds) {
    const int room = std::min(bounds.Width(), bounds.Height()) - 6;
    for (int side : {32, 24, 16})
        if (side <= room)
            return side;
    return std::max(room, 8);
}

} // namespace

ToolButtonView::ToolButtonView(ui::SpeedButton& button, QToolButton& widget)
    : ButtonView(button, widget), m_speedButton(button), m_toolButton(widget) {}

void ToolButtonView::Apply(ui::Property property) {
    ButtonView::Apply(property);
    if (property == ui::Property::Glyph)
        ApplyCaption();
}

void ToolButtonView::ApplyCaption() {
    if (m_speedButton.Glyph() == ui::Glyph::None) {
        m_toolButton.setIcon({});
        m_toolButton.setToolButtonStyle(Qt::ToolButtonTextOnly);
        ButtonView::ApplyCaption();
        return;
    }
    const int side = IconSide(m_speedButton.Bounds());
    m_toolButton.setText({});
    m_toolButton.setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolButton.setIcon(GlyphIcon(m_speedButton.Glyph(), *m_toolButton.style()));
    m_toolButton.setIconSize(QSize(side, side));
}

} // namespace host
