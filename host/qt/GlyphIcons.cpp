#include "qt/GlyphIcons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>
#include <optional>

namespace host {

namespace {

// Drawn on a 32 x 32 canvas; the icon scales it down to the button.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void DrawPrinter(QPainter& painter) {
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 3, 14, 10)); // the paper going in
    painter.setBrush(QColor(150, 150, 160));
    painter.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 20, 14, 9)); // the printed sheet
    painter.drawLine(QPointF(12, 24), QPointF(20, 24));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 170, 60));
    painter.drawEllipse(QPointF(25, 16), 1.5, 1.5);
}

void DrawFunnel(QPainter& painter) {
    QPainterPath funnel;
    funnel.moveTo(3, 5);
    funnel.lineTo(29, 5);
    funnel.lineTo(19, 17);
    funnel.lineTo(19, 27);
    funnel.lineTo(13, 30);
    funnel.lineTo(13, 17);
    funnel.closeSubpath();
    painter.setBrush(QColor(70, 120, 200));
    painter.drawPath(funnel);
}

void DrawPencil(QPainter& painter) {
    QPainterPath pencil;
    pencil.moveTo(22, 4);
    pencil.lineTo(28, 10);
    pencil.lineTo(11, 27);
    pencil.lineTo(4, 28);
    pencil.lineTo(5, 21);
    pencil.closeSubpath();
    painter.setBrush(QColor(235, 185, 60));
    painter.drawPath(pencil);
    painter.drawLine(QPointF(5, 21), QPointF(11, 27));
    painter.drawLine(QPointF(19, 7), QPointF(25, 13));
}

void DrawMagnifier(QPainter& painter) {
    painter.setBrush(QColor(210, 230, 250));
    painter.drawEllipse(QPointF(13, 13), 9, 9);
    painter.setPen(QPen(QColor(40, 40, 40), 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(20, 20), QPointF(28, 28));
}

// A sheet with a dashed tick: the command tried out, nothing done.
void DrawDashedTick(QPainter& painter) {
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(6, 3, 20, 26));
    painter.setPen(QPen(QColor(40, 140, 60), 3.0, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(10, 16), QPointF(15, 22), QPointF(23, 9)}));
}

std::optional<QStyle::StandardPixmap> StandardPixmapOf(ui::Glyph glyph) {
    switch (glyph) {
    case ui::Glyph::Help:
        return QStyle::SP_DialogHelpButton;
    case ui::Glyph::Close:
        return QStyle::SP_DialogCloseButton;
    case ui::Glyph::Refresh:
        return QStyle::SP_BrowserReload;
    case ui::Glyph::Cancel:
        return QStyle::SP_DialogCancelButton;
    case ui::Glyph::Confirm:
        return QStyle::SP_DialogApplyButton;
    case ui::Glyph::Undo:
        return QStyle::SP_ArrowBack;
    case ui::Glyph::Save:
        return QStyle::SP_DialogSaveButton;
    case ui::Glyph::Load:
        return QStyle::SP_DialogOpenButton;
    default:
        return std::nullopt;
    }
}

// The picture greyed and faded, as a command that cannot be used now: grey from the colours'
// lightness, at a third of their opacity.
QPixmap Greyed(const QPixmap& pixmap) {
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 96 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 3);
        }
    }
    return QPixmap::fromImage(image);
}

// The icon with a disabled picture of its own at every usual size, so that a disabled command
// is greyed the same way whatever the desktop's style or icon theme would do.
QIcon WithDisabledMode(const QIcon& icon) {
    if (icon.isNull())
        return icon;
    QIcon shown;
    for (int side : {16, 24, 32}) {
        const QPixmap normal = icon.pixmap(side, side, QIcon::Normal);
        shown.addPixmap(normal, QIcon::Normal);
        shown.addPixmap(Greyed(normal), QIcon::Disabled);
    }
    return shown;
}

QIcon PlainIcon(ui::Glyph glyph, const QStyle& style) {
    if (auto standard = StandardPixmapOf(glyph))
        return style.standardIcon(*standard);
    switch (glyph) {
    case ui::Glyph::Print:
        return DrawnIcon(DrawPrinter);
    case ui::Glyph::Filter:
        return DrawnIcon(DrawFunnel);
    case ui::Glyph::Edit:
        return DrawnIcon(DrawPencil);
    case ui::Glyph::Search:
        return DrawnIcon(DrawMagnifier);
    case ui::Glyph::Simulate:
        return DrawnIcon(DrawDashedTick);
    default:
        return {};
    }
}

} // namespace

QIcon GlyphIcon(ui::Glyph glyph, const QStyle& style) {
    return WithDisabledMode(PlainIcon(glyph, style));
}

} // namespace host
