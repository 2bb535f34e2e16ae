#pragma once

#include "ui/Control.h"

namespace ui {

// A tool button: it never takes the focus, not even when clicked, so the focused control keeps
// it (and runs no exit handler) while the button's OnClick runs.
class SpeedButton : public Control {
public:
    explicit SpeedButton(std::string name = {}) : Control(std::move(name)) { SetTabStop(false); }

    bool AcceptsFocus() const override { return false; }
};

} // namespace ui
