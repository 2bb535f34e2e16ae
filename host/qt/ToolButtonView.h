#pragma once

#include "qt/ButtonView.h"

class QToolButton;

namespace ui {
class SpeedButton;
}

namespace host {

// A tool button with a glyph shows only its icon, sized to the button, and its hint as the tool
// tip; without a glyph it shows its text like any button.
class ToolButtonView : public ButtonView {
public:
    ToolButtonView(ui::SpeedButton& button, QToolButton& widget);

protected:
    void Apply(ui::Property property) override;
    void ApplyCaption() override;

private:
    ui::SpeedButton& m_speedButton;
    QToolButton& m_toolButton;
};

} // namespace host
