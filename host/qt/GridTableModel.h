#pragma once

#include <QAbstractTableModel>

namespace ui {
class DBGrid;
}

namespace host {

// The shape and titles of a data grid for a table view. Cells carry no data: the grid's cell
// painting draws them. An open, empty dataset still shows one blank row, as the grid paints it.
class GridTableModel : public QAbstractTableModel {
public:
    // Room left of and right of a title's text, in pixels; a title that does not fit in the rest
    // of its column's width is cut at its end with an ellipsis.
    static constexpr int TitlePadding = 2;

    explicit GridTableModel(ui::DBGrid& grid);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Follows the grid: a new shape resets the view, otherwise the cells are repainted.
    void Refresh();
    // The grid is going away.
    void Detach();

private:
    int ModelRows() const;
    int ModelColumns() const;

    ui::DBGrid* m_grid;
    int m_rows = 0;
    int m_columns = 0;
};

} // namespace host
