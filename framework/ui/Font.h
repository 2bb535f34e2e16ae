#pragma once

#include "ui/Color.h"

#include <string>

namespace ui {

// Character sets a font may ask for; the symbol set maps letters to pictograms.
enum class Charset { Default, Symbol };

struct Font {
    std::string Name = "Tahoma";
    int Size = 11; // character height in pixels
    ui::Color Color = clWindowText;
    ui::Charset Charset = Charset::Default;
    bool Bold = false;

    bool operator==(const Font&) const = default;
};

} // namespace ui
