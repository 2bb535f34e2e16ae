#pragma once

#include "ui/Bitmap.h"
#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Geometry.h"

#include <string>
#include <variant>

namespace report {

enum class Align { Left, Right, Center };

// A text in a box: drawn on the box's top edge, aligned in it and cut to its width, so a long
// text never runs into the next column.
struct TextElement {
    ui::Rect Box;
    std::string Text;
    ui::Font Font;
    report::Align Align = Align::Left;
};

// A filled rectangle; lines are thin ones.
struct FillElement {
    ui::Rect Box;
    ui::Color Color;
};

struct ImageElement {
    ui::Rect Box;
    ui::Bitmap Picture;
};

using Element = std::variant<TextElement, FillElement, ImageElement>;

} // namespace report
