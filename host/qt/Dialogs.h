#pragma once

#include "ui/Platform.h"

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace ui {
class MenuItem;
class PopupMenu;
} // namespace ui

namespace host {

// The desktop's own dialogs a person answers, each returning the answer the model asks for.
// Questions and lists are windows of the model (ui::QuestionForm, ui::PickerForm).
void ShowMessage(QWidget* parent, ui::MessageKind kind, const std::string& text);
ui::MenuItem* ShowPopup(ui::PopupMenu& menu, ui::Point screen);

} // namespace host
