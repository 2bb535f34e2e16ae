#pragma once

#include "ui/Canvas.h"

#include <string>

namespace report {

// The longest start of the text, cut between UTF-8 characters, that the canvas draws within
// `width` in its current font.
std::string CutToWidth(const ui::Canvas& canvas, const std::string& text, int width);

} // namespace report
