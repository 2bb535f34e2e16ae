#pragma once

#include <QStyledItemDelegate>

namespace ui {
class DBGrid;
}

namespace host {

// Paints each visible cell through the grid's cell painting, so the screen's own paint handler
// draws it on a QPainter canvas.
class GridCellDelegate : public QStyledItemDelegate {
public:
    explicit GridCellDelegate(ui::DBGrid& grid) : m_grid(&grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    void Detach() { m_grid = nullptr; }

private:
    ui::DBGrid* m_grid;
};

} // namespace host
