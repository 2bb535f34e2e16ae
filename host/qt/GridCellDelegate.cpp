#include "qt/GridCellDelegate.h"

#include "qt/QtCanvas.h"
#include "ui/DBGrid.h"

#include <QPainter>

namespace host {

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    if (!m_grid)
        return;
    const QRect& r = option.rect;
    QtCanvas canvas(*painter, option.palette);
    try {
        m_grid->PaintCell(canvas, index.row(), index.column(),
                          ui::Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    } catch (const std::exception&) {
        // A paint handler's failure cannot be shown from inside painting; the cell stays as drawn.
    }
}

} // namespace host
