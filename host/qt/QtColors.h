#pragma once

#include "ui/Color.h"

#include <QColor>
#include <QPalette>

namespace host {

// System colours follow the desktop's palette; fixed colours are taken as they are.
ui::Color ResolveColor(ui::Color color, const QPalette& palette);
QColor ToQColor(ui::Color color, const QPalette& palette);
ui::Color FromQColor(const QColor& color);

} // namespace host
