#pragma once

#include "ui/Bitmap.h"
#include "ui/Control.h"

namespace ui {

class Image : public Control {
public:
    explicit Image(std::string name = {}) : Control(std::move(name)) { SetTabStop(false); }

    const ui::Bitmap& Bitmap() const { return m_bitmap; }
    void SetBitmap(const ui::Bitmap& bitmap);

private:
    ui::Bitmap m_bitmap;
};

} // namespace ui
