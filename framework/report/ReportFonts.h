#pragma once

#include "ui/Font.h"

namespace report {

// The report's type faces: one family, black on white, sizes in points.
inline ui::Font Regular(int size) {
    return ui::Font{"DejaVu Sans", size, ui::clBlack, ui::Charset::Default, false};
}

inline ui::Font Bold(int size) {
    ui::Font font = Regular(size);
    font.Bold = true;
    return font;
}

} // namespace report
