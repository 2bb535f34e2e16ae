#include "ui/Image.h"

namespace ui {

void Image::SetBitmap(const ui::Bitmap& bitmap) {
    Update(m_bitmap, bitmap, Property::Bitmap);
}

} // namespace ui
