#include "ui/RecordingCanvas.h"

#include "data/Utf8.h"

namespace ui {

RecordingCanvas::RecordingCanvas(int width, int height) : m_raster(width, height, clWindow) {}

RecordingCanvas::Call RecordingCanvas::Record(Op kind) {
    Call call{kind, {}, {}, 0, 0, {}, m_font, m_brushColor, m_textColor, {}};
    return call;
}

void RecordingCanvas::FillRect(const Rect& rect, Color color) {
    m_brushColor = color;
    Call call = Record(Op::FillRect);
    call.Area = rect;
    call.Colour = color;
    m_calls.push_back(std::move(call));
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            Paint(x, y, color);
}

void RecordingCanvas::SetBrushColor(Color color) {
    Canvas::SetBrushColor(color);
    Call call = Record(Op::SetBrushColor);
    call.Colour = color;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::SetFont(const ui::Font& font) {
    Canvas::SetFont(font);
    m_calls.push_back(Record(Op::SetFont));
}

void RecordingCanvas::SetTextColor(Color color) {
    Canvas::SetTextColor(color);
    Call call = Record(Op::SetTextColor);
    call.Colour = color;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    Call call = Record(Op::TextOut);
    call.X = x;
    call.Y = y;
    call.Text = text;
    m_calls.push_back(std::move(call));
}

int RecordingCanvas::TextWidth(const std::string& text) const {
    return CharWidth * static_cast<int>(data::utf8::Length(text));
}

void RecordingCanvas::DrawFocusRect(const Rect& rect) {
    Call call = Record(Op::DrawFocusRect);
    call.Area = rect;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::DrawBitmap(const Rect& dest, const Bitmap& bitmap, Color transparentKey) {
    Call call = Record(Op::DrawBitmap);
    call.Area = dest;
    call.Colour = transparentKey;
    call.Picture = bitmap;
    m_calls.push_back(std::move(call));
    for (int y = 0; y < bitmap.Height() && y < dest.Height(); ++y) {
        for (int x = 0; x < bitmap.Width() && x < dest.Width(); ++x) {
            Color pixel = bitmap.Pixel(x, y);
            Paint(dest.Left + x, dest.Top + y, pixel == transparentKey ? m_brushColor : pixel);
        }
    }
}

std::vector<RecordingCanvas::Call> RecordingCanvas::CallsOf(Op kind) const {
    std::vector<Call> matching;
    for (const Call& call : m_calls) {
        if (call.Kind == kind)
            matching.push_back(call);
    }
    return matching;
}

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> texts;
    for (const Call& call : CallsOf(Op::TextOut))
        texts.push_back(call.Text);
    return texts;
}

void RecordingCanvas::Clear() {
    m_calls.clear();
}

void RecordingCanvas::Paint(int x, int y, Color color) {
    if (x >= 0 && y >= 0 && x < m_raster.Width() && y < m_raster.Height())
        m_raster.SetPixel(x, y, color);
}

} // namespace ui
