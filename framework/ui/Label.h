#pragma once

#include "ui/Control.h"

namespace ui {

class Label : public Control {
public:
    explicit Label(std::string name = {}) : Control(std::move(name)) { SetTabStop(false); }
};

} // namespace ui
