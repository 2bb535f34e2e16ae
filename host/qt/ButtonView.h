#pragma once

#include "qt/ControlView.h"

class QAbstractButton;

namespace host {

// Push buttons and tool buttons. A tool button shows its hint when it has no caption, since the
// model carries no glyphs.
class ButtonView : public ControlView {
public:
    ButtonView(ui::Control& button, QAbstractButton& widget);

protected:
    void Apply(ui::Property property) override;
    void ApplyCaption() override;

private:
    void PlaceUnsized();
    int UnsizedWidth(const ui::Control& button) const;

    QAbstractButton& m_button;
};

} // namespace host
