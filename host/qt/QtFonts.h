#pragma once

#include "ui/Font.h"

#include <QFont>
#include <QString>
#include <string>

namespace host {

QFont ToQFont(const ui::Font& font);
// The text as the font shows it. Symbol fonts are not installed on the desktops we run on, so
// their one glyph the screens use, the check mark of "4", is drawn as the Unicode check mark.
QString DisplayText(const ui::Font& font, const std::string& text);

} // namespace host
