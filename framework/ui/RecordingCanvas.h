#pragma once

#include "ui/Canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace ui {

// A canvas for tests and scripts: it records every drawing call with the state it was made in,
// measures text at a fixed width and height per character, and keeps a raster of fills and
// bitmaps so that tests can read back pixels. `SeenIn` tells what a person would see in a
// rectangle once everything recorded has been drawn.
class RecordingCanvas : public Canvas {
public:
    enum class Op { FillRect, SetBrushColor, SetFont, SetTextColor, TextOut, DrawFocusRect, DrawBitmap };

    struct Call {
        Op Kind;
        Rect Area;                // FillRect, DrawFocusRect, DrawBitmap
        Color Colour;             // FillRect's and SetBrushColor's colour, SetTextColor's, DrawBitmap's key
        int X = 0;                // TextOut
        int Y = 0;                // TextOut
        std::string Text;         // TextOut
        ui::Font Font;            // the font in force
        Color Brush;              // the fill colour in force
        Color TextColour;         // the text colour in force
        Bitmap Picture;           // DrawBitmap
        std::optional<Rect> Clip; // the clip in force
    };

    // What is left visible in a rectangle: drawings that reach it inside their clip and that no
    // later fill covers.
    struct Seen {
        std::vector<std::string> Texts;  // in drawing order
        std::optional<Color> TextColour; // of the last visible text
        std::optional<Color> Brush;      // of the last fill over the whole rectangle
        std::optional<Bitmap> Picture;   // the last visible bitmap
        bool Focus = false;              // a focus rectangle is visible
    };

    static constexpr int CharWidth = 7;
    static constexpr int TextHeight = 13;

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
    Seen SeenIn(const Rect& area) const;
    // The raster (the fill colour of the canvas where nothing was drawn).
    Color Pixel(int x, int y) const { return m_raster.Pixel(x, y); }
    void Clear();

private:
    Call Record(Op kind);
    void Paint(int x, int y, Color color);
    // Where a call drew, cut to its clip.
    static Rect DrawnArea(const Call& call);
    bool CoveredLater(std::size_t index, const Rect& part) const;

    std::vector<Call> m_calls;
    Bitmap m_raster;
};

} // namespace ui
