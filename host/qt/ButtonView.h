#pragma once

#include "qt/ControlView.h"

#include <QString>

class QAbstractButton;

namespace host {

// Push buttons and tool buttons shown as text: a button without a caption shows its hint, and a
// text wider than the button shows as much of its start as fits (a 25 x 25 "Imprimir" reads
// "Im"). Tool buttons with a glyph show an icon instead (ToolButtonView).
class ButtonView : public ControlView {
public:
    ButtonView(ui::Control& button, QAbstractButton& widget);

protected:
    void Apply(ui::Property property) override;
    void ApplyCaption() override;

private:
    QString FittingText(QString text) const;

    QAbstractButton& m_button;
};

} // namespace host
