#include "ui/Bitmap.h"

#include <stdexcept>

namespace ui {

Bitmap::Bitmap(int width, int height, Color fill) : m_width(width), m_height(height) {
    if (width < 0 || height < 0)
        throw std::invalid_argument("Bitmap: negative size");
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

Bitmap Bitmap::FromRows(const std::vector<std::string>& rows, const std::map<char, Color>& palette) {
    int width = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    Bitmap bitmap(width, static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap.m_height; ++y) {
        const std::string& row = rows[static_cast<std::size_t>(y)];
        if (static_cast<int>(row.size()) != width)
            throw std::invalid_argument("Bitmap: row " + std::to_string(y) + " has a different width");
        for (int x = 0; x < width; ++x) {
            auto colour = palette.find(row[static_cast<std::size_t>(x)]);
            if (colour == palette.end())
                throw std::invalid_argument(std::string("Bitmap: no colour for '") +
                                            row[static_cast<std::size_t>(x)] + "'");
            bitmap.SetPixel(x, y, colour->second);
        }
    }
    return bitmap;
}

Color Bitmap::Pixel(int x, int y) const {
    return m_pixels[Index(x, y)];
}

void Bitmap::SetPixel(int x, int y, Color color) {
    m_pixels[Index(x, y)] = color;
}

std::size_t Bitmap::Index(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        throw std::out_of_range("Bitmap: pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") outside " + std::to_string(m_width) + "x" + std::to_string(m_height));
    return static_cast<std::size_t>(y * m_width + x);
}

} // namespace ui
