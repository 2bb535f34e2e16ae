#pragma once

#include "ui/Glyph.h"

#include <QIcon>

class QStyle;

namespace host {

// The icon for a tool button's or menu entry's glyph: the style's own icon where it has a fitting
// one, and a small drawn picture otherwise, each with a greyed picture for its disabled mode. A
// null icon for Glyph::None.
QIcon GlyphIcon(ui::Glyph glyph, const QStyle& style);

} // namespace host
