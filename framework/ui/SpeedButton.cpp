#include "ui/SpeedButton.h"

namespace ui {

void SpeedButton::SetGlyph(ui::Glyph glyph) {
    Update(m_glyph, glyph, Property::Glyph);
}

} // namespace ui
