#include "ui/RecordingCanvas.h"

#include "data/Utf8.h"

namespace ui {

RecordingCanvas::RecordingCanvas(int width, int height) : m_raster(width, height, clWindow) {}

RecordingCanvas::Call RecordingCanvas::Record(Op kind) {
    Call call{kind, {}, {}, 0, 0, {}, m_font, m_brushColor, m_textColor, {}, m_clip};
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
    if (m_clip && !m_clip->Contains({x, y}))
        return;
    if (x >= 0 && y >= 0 && x < m_raster.Width() && y < m_raster.Height())
        m_raster.SetPixel(x, y, color);
}

Rect RecordingCanvas::DrawnArea(const Call& call) {
    Rect area;
    switch (call.Kind) {
    case Op::FillRect:
    case Op::DrawFocusRect:
        area = call.Area;
        break;
    case Op::TextOut:
        area = {call.X, call.Y, call.X + CharWidth * static_cast<int>(data::utf8::Length(call.Text)),
                call.Y + TextHeight};
        break;
    case Op::DrawBitmap:
        area = call.Area.Intersect({call.Area.Left, call.Area.Top, call.Area.Left + call.Picture.Width(),
                                    call.Area.Top + call.Picture.Height()});
        break;
    default:
        return {};
    }
    return call.Clip ? area.Intersect(*call.Clip) : area;
}

bool RecordingCanvas::CoveredLater(std::size_t index, const Rect& part) const {
    for (std::size_t later = index + 1; later < m_calls.size(); ++later) {
        if (m_calls[later].Kind == Op::FillRect && DrawnArea(m_calls[later]).ContainsRect(part))
            return true;
    }
    return false;
}

RecordingCanvas::Seen RecordingCanvas::SeenIn(const Rect& area) const {
    Seen seen;
    for (std::size_t i = 0; i < m_calls.size(); ++i) {
        const Call& call = m_calls[i];
        const Rect drawn = DrawnArea(call);
        if (call.Kind == Op::FillRect && drawn.ContainsRect(area))
            seen.Brush = call.Colour;
        const Rect part = drawn.Intersect(area);
        if (part.IsEmpty() || CoveredLater(i, part))
            continue;
        if (call.Kind == Op::TextOut) {
            seen.Texts.push_back(call.Text);
            seen.TextColour = call.TextColour;
        } else if (call.Kind == Op::DrawBitmap) {
            seen.Picture = call.Picture;
        } else if (call.Kind == Op::DrawFocusRect) {
            seen.Focus = true;
        }
    }
    return seen;
}

} // namespace ui
