#include "ui/MainMenu.h"

namespace ui {

MainMenu::MainMenu(std::string name) : Component(name), m_items(Create<MenuItem>(name + "Items")) {}

} // namespace ui
