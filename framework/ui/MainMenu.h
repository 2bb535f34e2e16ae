#pragma once

#include "ui/Component.h"
#include "ui/MenuItem.h"

namespace ui {

// The form's menu bar; its top-level entries are the sub-items of Items().
class MainMenu : public Component {
public:
    explicit MainMenu(std::string name = {});

    MenuItem& Items() const { return m_items; }
    MenuItem* FindShortCut(int key, ShiftState shift) const { return m_items.FindShortCut(key, shift); }

private:
    MenuItem& m_items;
};

} // namespace ui
