#pragma once

#include "ui/Container.h"

namespace ui {

// A framed container with a caption; radio buttons inside it form one exclusive group.
class GroupBox : public Container {
public:
    explicit GroupBox(std::string name = {}) : Container(std::move(name)) {}
};

} // namespace ui
