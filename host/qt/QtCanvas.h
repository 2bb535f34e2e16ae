#pragma once

#include "ui/Canvas.h"

#include <QPalette>
#include <QRegion>

class QPainter;

namespace host {

// A canvas on a QPainter, used by the grids' cell painting. System colours are resolved from
// the palette it is given; the painter's state is restored when the canvas goes away.
class QtCanvas : public ui::Canvas {
public:
    QtCanvas(QPainter& painter, const QPalette& palette);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void FillRect(const ui::Rect& rect, ui::Color color) override;
    void TextOut(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) const override;
    void DrawFocusRect(const ui::Rect& rect) override;
    void DrawBitmap(const ui::Rect& dest, const ui::Bitmap& bitmap, ui::Color transparentKey) override;
    void SetClipRect(const std::optional<ui::Rect>& clip) override;

private:
    QPainter& m_painter;
    QPalette m_palette;
    // The painter's own clip, which a cell's clip narrows and which comes back after it.
    bool m_outerClipping;
    QRegion m_outerClip;
};

} // namespace host
