#pragma once

#include "ui/Control.h"
#include "ui/DBGridColumns.h"
#include "ui/DataLink.h"

#include <algorithm>
#include <functional>

namespace data {
class DataSet;
class DataSource;
} // namespace data

namespace ui {

class Canvas;

struct GridDrawState {
    bool Selected = false;
    bool Focused = false;
};

struct GridOptions {
    bool RowSelect = false;
    bool AlwaysShowSelection = false;
    bool ShowTitles = true;

    bool operator==(const GridOptions&) const = default;
};

// A grid over a data source's dataset. The view asks it to paint cells; painting a row reads
// that row's values without moving the cursor. The grid follows the source's changes, except
// while the dataset's controls are disabled.
class DBGrid : public Control {
public:
    using DrawColumnCellEvent = std::function<void(DBGrid& sender, const Rect& rect, int dataCol,
                                                   Column& column, GridDrawState state)>;
    using ColumnEvent = std::function<void(Column& column)>;

    // Height of a data row and of the title row, in pixels.
    static constexpr int RowHeight = 18;

    explicit DBGrid(std::string name = {});

    data::DataSource* DataSource() const { return m_link.Source(); }
    void SetDataSource(data::DataSource* source);
    // The bound, open dataset, or nullptr.
    data::DataSet* DataSet() const { return m_link.ActiveDataSet(); }

    DBGridColumns& Columns() { return m_columns; }
    const DBGridColumns& Columns() const { return m_columns; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    const GridOptions& Options() const { return m_options; }
    void SetOptions(const GridOptions& options);
    // When true the grid draws each cell before OnDrawColumnCell runs.
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(bool defaultDrawing) { m_defaultDrawing = defaultDrawing; }

    // The dataset's rows, counted from 0 in display order.
    int RowCount() const;
    // The cursor's row, or -1.
    int CurrentRow() const;
    // Moves the dataset's cursor (runs its scroll events).
    void SetCurrentRow(int row);
    int SelectedIndex() const { return m_selectedIndex; }
    void SetSelectedIndex(int columnIndex);
    // What the view shows: the first row and how many fit.
    int TopRow() const { return m_topRow; }
    void SetTopRow(int row);
    int VisibleRowCount() const { return m_visibleRows; }
    void SetVisibleRowCount(int rows);
    // The rows painted from the top row on: those that fit and exist, or the one blank row of an
    // empty dataset.
    int ShownRowCount() const { return std::max(1, std::min(m_visibleRows, RowCount() - m_topRow)); }
    // Times the grid asked its view to repaint because the data changed.
    int DataRepaints() const { return m_dataRepaints; }

    GridDrawState DrawStateOf(int row, int columnIndex) const;
    // Paints one data cell: the default drawing, then OnDrawColumnCell, both clipped to `rect`.
    void PaintCell(ui::Canvas& canvas, int row, int columnIndex, const Rect& rect);
    // Where a data cell of a visible row is, in the grid's own pixels: visible columns side by
    // side from the left at their widths, rows below the title row from the top row on.
    Rect CellRect(int row, int columnIndex) const;
    // Paints every visible cell, row by row, as the view would.
    void PaintVisible(ui::Canvas& canvas);
    // The canvas of the cell being painted; paint handlers draw on it. Only valid while a
    // cell is painted.
    ui::Canvas& Canvas() const;

    bool AcceptsFocus() const override { return true; }
    // Arrow, page and home/end keys move the current row; left and right the selected column.
    void HandleKey(int& key, ShiftState shift) override;
    // A click on a data cell: moves to the row, then OnCellClick.
    void CellClick(int row, int columnIndex);
    void TitleClick(int columnIndex);

    DrawColumnCellEvent OnDrawColumnCell;
    ColumnEvent OnCellClick;
    ColumnEvent OnTitleClick;

    // Told by the columns collection.
    void ColumnsChanged() { Notify(Property::Columns); }

private:
    void DataChanged(data::DataSetChange change);
    void DrawDefault(ui::Canvas& canvas, const Column& column, const Rect& rect, GridDrawState state);
    void KeepCurrentRowVisible();

    DataLink m_link;
    DBGridColumns m_columns{*this};
    bool m_readOnly = false;
    GridOptions m_options;
    bool m_defaultDrawing = true;
    int m_selectedIndex = 0;
    int m_topRow = 0;
    int m_visibleRows = 10;
    int m_dataRepaints = 0;
    ui::Canvas* m_paintCanvas = nullptr;
};

} // namespace ui
