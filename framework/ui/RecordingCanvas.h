#pragma once

#include "ui/Canvas.h"

#include <string>
#include <vector>

namespace ui {

// A canvas for tests: it records every drawing call with the state it was made in, measures
// text at a fixed width per character, and keeps a raster of fills and bitmaps so that tests can
// read back pixels.
class RecordingCanvas : public Canvas {
public:
    enum class Op { FillRect, SetBrushColor, SetFont, SetTextColor, TextOut, DrawFocusRect, DrawBitmap };

    struct Call {
        Op Kind;
        Rect Area;        // FillRect, DrawFocusRect, DrawBitmap
        Color Colour;     // FillRect's and SetBrushColor's colour, SetTextColor's, DrawBitmap's key
        int X = 0;        // TextOut
        int Y = 0;        // TextOut
        std::string Text; // TextOut
        ui::Font Font;    // the font in force
        Color Brush;      // the fill colour in force
        Color TextColour; // the text colour in force
        Bitmap Picture;   // DrawBitmap
    };

    static constexpr int CharWidth = 7;

    RecordingCanvas(int width = 0, int height = 0);

    void FillRect(const Rect& rect, Color color) override;
    void SetBrushColor(Color color) override;
    void SetFont(const ui::Font& font) override;
    void SetTextColor(Color color) override;
    void TextOut(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) const override;
    void DrawFocusRect(const Rect& rect) override;
    void DrawBitmap(const Rect& dest, const Bitmap& bitmap, Color transparentKey) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    std::vector<Call> CallsOf(Op kind) const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;
    // The raster (the fill colour of the canvas where nothing was drawn).
    Color Pixel(int x, int y) const { return m_raster.Pixel(x, y); }
    void Clear();

private:
    Call Record(Op kind);
    void Paint(int x, int y, Color color);

    std::vector<Call> m_calls;
    Bitmap m_raster;
};

} // namespace ui
