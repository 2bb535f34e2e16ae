#pragma once

#include "ui/Bitmap.h"
#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Geometry.h"

#include <optional>
#include <string>

namespace ui {

// Where grid cells are painted: the desktop view's painter, or a recording canvas in tests.
// The fill colour is what text is drawn over and what a bitmap's key colour becomes. While a clip
// rectangle is set, nothing is drawn outside it: a grid cell's drawing never runs into its
// neighbours.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Fills the rectangle and makes the colour the current fill colour.
    virtual void FillRect(const Rect& rect, Color color) = 0;
    virtual void SetBrushColor(Color color) { m_brushColor = color; }
    Color BrushColor() const { return m_brushColor; }
    // Also sets the text colour to the font's colour.
    virtual void SetFont(const ui::Font& font) {
        m_font = font;
        m_textColor = font.Color;
    }
    const ui::Font& Font() const { return m_font; }
    virtual void SetTextColor(Color color) { m_textColor = color; }
    Color TextColor() const { return m_textColor; }
    // Draws the text with its top left at (x, y) over the current fill colour.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Width of the text in the current font, in pixels.
    virtual int TextWidth(const std::string& text) const = 0;
    virtual void DrawFocusRect(const Rect& rect) = 0;
    // Copies the bitmap unscaled into the rectangle (clipped to it); pixels of the key colour are
    // drawn in the current fill colour.
    virtual void DrawBitmap(const Rect& dest, const Bitmap& bitmap, Color transparentKey) = 0;
    // No clip (nullopt) lets drawing reach the whole canvas.
    virtual void SetClipRect(const std::optional<Rect>& clip) { m_clip = clip; }
    const std::optional<Rect>& ClipRect() const { return m_clip; }

protected:
    Color m_brushColor = clWindow;
    Color m_textColor = clWindowText;
    ui::Font m_font;
    std::optional<Rect> m_clip;
};

} // namespace ui
