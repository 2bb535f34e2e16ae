#pragma once

namespace ui {
class Form;
}

namespace support {

// Tells the operator which help file and topic belong to the form; the desktop has no help
// viewer of its own.
void ShowFormHelp(const ui::Form& form);

} // namespace support
