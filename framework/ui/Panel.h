#pragma once

#include "ui/Container.h"

namespace ui {

class Panel : public Container {
public:
    explicit Panel(std::string name = {}) : Container(std::move(name)) {}
};

} // namespace ui
