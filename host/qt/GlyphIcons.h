#pragma once

#include "ui/Glyph.h"

#include <QIcon>

class QStyle;

namespace host {

// The icon for a tool button's glyph: the style's own icon where it has a fitting one, and a
// small drawn picture otherwise. A null icon for Glyph::None.
QIcon GlyphIcon(ui::Glyph glyph, const QStyle& style);

} // namespace host
