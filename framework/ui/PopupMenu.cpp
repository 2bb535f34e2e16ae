#include "ui/PopupMenu.h"

#include "ui/Application.h"

namespace ui {

PopupMenu::PopupMenu(std::string name) : Component(name), m_items(Create<MenuItem>(name + "Items")) {}

void PopupMenu::Popup(int screenX, int screenY) {
    if (OnPopup)
        OnPopup(*this);
    if (MenuItem* chosen = Application::Instance().Platform().ShowPopup(*this, {screenX, screenY}))
        chosen->Click();
}

} // namespace ui
