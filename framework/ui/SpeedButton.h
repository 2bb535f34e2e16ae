#pragma once

#include "ui/Control.h"
#include "ui/Glyph.h"

namespace ui {

// A tool button: it never takes the focus, not even when clicked, so the focused control keeps
// it (and runs no exit handler) while the button's OnClick runs. It shows a glyph, with its hint
// as the tool tip, or its caption when it has no glyph.
class SpeedButton : public Control {
public:
    explicit SpeedButton(std::string name = {}) : Control(std::move(name)) { SetTabStop(false); }

    ui::Glyph Glyph() const { return m_glyph; }
    void SetGlyph(ui::Glyph glyph);

    bool AcceptsFocus() const override { return false; }

private:
    ui::Glyph m_glyph = Glyph::None;
};

} // namespace ui
