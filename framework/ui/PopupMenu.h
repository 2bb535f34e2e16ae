#pragma once

#include "ui/Component.h"
#include "ui/Geometry.h"
#include "ui/MenuItem.h"

#include <functional>

namespace ui {

// A context menu. Popup shows it through the platform and runs the chosen item's OnClick
// before returning.
class PopupMenu : public Component {
public:
    explicit PopupMenu(std::string name = {});

    MenuItem& Items() const { return m_items; }
    void Popup(int screenX, int screenY);

    std::function<void(PopupMenu& sender)> OnPopup;

private:
    MenuItem& m_items;
};

} // namespace ui
