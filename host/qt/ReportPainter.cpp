#include "qt/ReportPainter.h"

#include "qt/QtCanvas.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPalette>
#include <stdexcept>

namespace host {

void PaintReport(const report::Document& document, QPagedPaintDevice& device) {
    const QPageSize size(QSizeF(document.Size.Width, document.Size.Height), QPageSize::Point);
    const auto orientation =
        document.Size.Width > document.Size.Height ? QPageLayout::Landscape : QPageLayout::Portrait;
    device.setPageLayout(QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("Não foi possível iniciar a impressão do relatório.");
    const double scale = device.logicalDpiX() / 72.0;
    // The report's own colours are absolute; a palette is only needed for system colours.
    const QPalette palette = QGuiApplication::palette();
    for (std::size_t i = 0; i < document.Pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        painter.save();
        painter.scale(scale, scale);
        {
            QtCanvas canvas(painter, palette);
            document.Pages[i].Render(canvas);
        }
        painter.restore();
    }
    painter.end();
}

} // namespace host
