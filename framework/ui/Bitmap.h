#pragma once

#include "ui/Color.h"

#include <map>
#include <string>
#include <vector>

namespace ui {

// A small RGB picture held in memory, such as a 16x16 check-box image.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Color fill = clBlack);
    // One string per row, one character per pixel, each character looked up in the palette.
    // Throws std::invalid_argument for ragged rows or a character missing from the palette.
    static Bitmap FromRows(const std::vector<std::string>& rows, const std::map<char, Color>& palette);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_width == 0 || m_height == 0; }
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color color);

    bool operator==(const Bitmap&) const = default;

private:
    std::size_t Index(int x, int y) const;

    int m_width = 0;
    int m_height = 0;
    std::vector<Color> m_pixels;
};

} // namespace ui
