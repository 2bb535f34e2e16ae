#include "qt/QtCanvas.h"

#include "qt/QtColors.h"
#include "qt/QtFonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace host {

namespace {

QRect ToQRect(const ui::Rect& rect) {
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter, const QPalette& palette)
    : m_painter(painter), m_palette(palette), m_outerClipping(painter.hasClipping()),
      m_outerClip(painter.clipRegion()) {
    m_painter.save();
}

QtCanvas::~QtCanvas() {
    m_painter.restore();
}

void QtCanvas::FillRect(const ui::Rect& rect, ui::Color color) {
    SetBrushColor(color);
    m_painter.fillRect(ToQRect(rect), ToQColor(color, m_palette));
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
    QFont font = ToQFont(Font());
    QFontMetrics metrics(font);
    QString shown = DisplayText(Font(), text);
    QRect box(x, y, metrics.horizontalAdvance(shown), metrics.height());
    // Text is drawn over the current fill colour, as an opaque text cell.
    m_painter.fillRect(box, ToQColor(BrushColor(), m_palette));
    m_painter.setFont(font);
    m_painter.setPen(ToQColor(TextColor(), m_palette));
    m_painter.drawText(QPoint(x, y + metrics.ascent()), shown);
}

int QtCanvas::TextWidth(const std::string& text) const {
    return QFontMetrics(ToQFont(Font())).horizontalAdvance(DisplayText(Font(), text));
}

void QtCanvas::DrawFocusRect(const ui::Rect& rect) {
    QPen pen(ToQColor(ui::clWindowText, m_palette));
    pen.setStyle(Qt::DotLine);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
}

void QtCanvas::DrawBitmap(const ui::Rect& dest, const ui::Bitmap& bitmap, ui::Color transparentKey) {
    int width = std::min(bitmap.Width(), dest.Width());
    int height = std::min(bitmap.Height(), dest.Height());
    if (width <= 0 || height <= 0)
        return;
    QImage image(width, height, QImage::Format_RGB32);
    QRgb background = ToQColor(BrushColor(), m_palette).rgb();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ui::Color pixel = bitmap.Pixel(x, y);
            image.setPixel(x, y, pixel == transparentKey ? background : ToQColor(pixel, m_palette).rgb());
        }
    }
    m_painter.drawImage(QPoint(dest.Left, dest.Top), image);
}

void QtCanvas::SetClipRect(const std::optional<ui::Rect>& clip) {
    ui::Canvas::SetClipRect(clip);
    if (!m_outerClipping) {
        if (clip)
            m_painter.setClipRect(ToQRect(*clip));
        else
            m_painter.setClipping(false);
    } else {
        m_painter.setClipRegion(clip ? m_outerClip.intersected(ToQRect(*clip)) : m_outerClip);
    }
}

} // namespace host
