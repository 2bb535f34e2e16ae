#include "ui/Image.h"

namespace ui {

void Image::SetBitmap(const ui::Bitmap& bitmap) {
    if (bitmap == m_bitmap)
        return;
    m_bitmap = bitmap;
    Notify(Property::Bitmap);
}

} // namespace ui
