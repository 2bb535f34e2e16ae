#pragma once

#include "ui/Font.h"

#include <QFont>
#include <QString>
#include <string>

namespace host {

// The forms' positions and widths are in the pixels of the classic 8-point interface font
// ("Tahoma", "MS Sans Serif"), which Linux desktops lack; DejaVu Sans Condensed at the same pixel
// height has close enough metrics for every title and value to fit where the forms put them.
QFont ToQFont(const ui::Font& font);
// The text as the font shows it. Symbol fonts are not installed on the desktops we run on, so
// their one glyph the screens use, the check mark of "4", is drawn as the Unicode check mark.
QString DisplayText(const ui::Font& font, const std::string& text);

} // namespace host
