#include "ui/DBGrid.h"

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/PaintedRowScope.h"
#include "ui/Canvas.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

namespace ui {

namespace {

// While a cell is painted, the grid's canvas is the one handlers draw on and everything drawn is
// clipped to the cell; both are given back afterwards, however the painting ends.
class CellPaintScope {
public:
    CellPaintScope(ui::Canvas& canvas, ui::Canvas*& slot, const Rect& cell)
        : m_canvas(canvas), m_slot(slot), m_outerCanvas(std::exchange(slot, &canvas)),
          m_outerClip(canvas.ClipRect()) {
        canvas.SetClipRect(m_outerClip ? m_outerClip->Intersect(cell) : cell);
    }
    ~CellPaintScope() {
        m_canvas.SetClipRect(m_outerClip);
        m_slot = m_outerCanvas;
    }
    CellPaintScope(const CellPaintScope&) = delete;
    CellPaintScope& operator=(const CellPaintScope&) = delete;

private:
    ui::Canvas& m_canvas;
    ui::Canvas*& m_slot;
    ui::Canvas* m_outerCanvas;
    std::optional<Rect> m_outerClip;
};

} // namespace

DBGrid::DBGrid(std::string name)
    : Control(std::move(name)), m_link([this](data::DataSetChange change) { DataChanged(change); }) {}

void DBGrid::SetDataSource(data::DataSource* source) {
    if (!m_link.SetSource(source))
        return;
    m_topRow = 0;
    Notify(Property::DataSource);
}

void DBGrid::SetReadOnly(bool readOnly) {
    Update(m_readOnly, readOnly, Property::ReadOnly);
}

void DBGrid::SetOptions(const GridOptions& options) {
    Update(m_options, options, Property::Options);
}

int DBGrid::RowCount() const {
    data::DataSet* dataSet = DataSet();
    return dataSet ? dataSet->RecordCount() : 0;
}

int DBGrid::CurrentRow() const {
    data::DataSet* dataSet = DataSet();
    return dataSet && !dataSet->IsEmpty() ? dataSet->RecNo() - 1 : -1;
}

void DBGrid::SetCurrentRow(int row) {
    data::DataSet* dataSet = DataSet();
    if (!dataSet || row < 0 || row >= dataSet->RecordCount() || row == CurrentRow())
        return;
    dataSet->SetRecNo(row + 1);
}

void DBGrid::SetSelectedIndex(int columnIndex) {
    columnIndex = std::clamp(columnIndex, 0, std::max(0, m_columns.Count() - 1));
    Update(m_selectedIndex, columnIndex, Property::Data);
}

void DBGrid::SetTopRow(int row) {
    row = std::clamp(row, 0, std::max(0, RowCount() - 1));
    Update(m_topRow, row, Property::Data);
}

void DBGrid::SetVisibleRowCount(int rows) {
    rows = std::max(1, rows);
    if (rows == m_visibleRows)
        return;
    m_visibleRows = rows;
    KeepCurrentRowVisible();
}

GridDrawState DBGrid::DrawStateOf(int row, int columnIndex) const {
    bool current = row >= 0 && row == CurrentRow();
    bool focused = Focused();
    bool inColumn = m_options.RowSelect || columnIndex == m_selectedIndex;
    GridDrawState state;
    state.Selected = current && inColumn && (focused || m_options.AlwaysShowSelection);
    state.Focused = current && focused && columnIndex == m_selectedIndex;
    return state;
}

void DBGrid::PaintCell(ui::Canvas& canvas, int row, int columnIndex, const Rect& rect) {
    data::DataSet* dataSet = DataSet();
    if (!dataSet)
        return;
    Column& column = m_columns.Item(columnIndex);
    GridDrawState state = DrawStateOf(row, columnIndex);
    // An empty dataset still shows one blank row, and its handler is still asked to paint it.
    std::optional<data::PaintedRowScope> painted;
    if (row >= 0 && row < dataSet->RecordCount())
        painted.emplace(*dataSet, row);
    else if (row != 0 || !dataSet->IsEmpty())
        return;
    canvas.SetFont(column.Font());
    CellPaintScope scope(canvas, m_paintCanvas, rect);
    if (m_defaultDrawing)
        DrawDefault(canvas, column, rect, state);
    else
        canvas.SetBrushColor(state.Selected ? clHighlight : column.Color());
    if (OnDrawColumnCell)
        OnDrawColumnCell(*this, rect, columnIndex, column, state);
}

Rect DBGrid::CellRect(int row, int columnIndex) const {
    int left = 0;
    for (int i = 0; i < columnIndex; ++i) {
        if (m_columns.Item(i).Visible())
            left += m_columns.Item(i).Width();
    }
    const int top = (m_options.ShowTitles ? RowHeight : 0) + (row - m_topRow) * RowHeight;
    return {left, top, left + m_columns.Item(columnIndex).Width(), top + RowHeight};
}

void DBGrid::PaintVisible(ui::Canvas& canvas) {
    for (int row = m_topRow; row < m_topRow + ShownRowCount(); ++row) {
        for (int i = 0; i < m_columns.Count(); ++i) {
            if (m_columns.Item(i).Visible())
                PaintCell(canvas, row, i, CellRect(row, i));
        }
    }
}

ui::Canvas& DBGrid::Canvas() const {
    if (!m_paintCanvas)
        throw std::logic_error("The grid " + Name() + " is not painting a cell");
    return *m_paintCanvas;
}

void DBGrid::DrawDefault(ui::Canvas& canvas, const Column& column, const Rect& rect, GridDrawState state) {
    if (state.Selected)
        canvas.SetTextColor(clHighlightText);
    canvas.FillRect(rect, state.Selected ? clHighlight : column.Color());
    data::Field* field = column.Field();
    if (!field || DataSet()->IsEmpty())
        return;
    const std::string text = field->DisplayText();
    int x = rect.Left + 2;
    if (column.Alignment() == data::Alignment::Right)
        x = rect.Right - 2 - canvas.TextWidth(text);
    else if (column.Alignment() == data::Alignment::Center)
        x = rect.Left + (rect.Width() - canvas.TextWidth(text)) / 2;
    canvas.TextOut(x, rect.Top + 2, text);
}

void DBGrid::HandleKey(int& key, ShiftState shift) {
    data::DataSet* dataSet = DataSet();
    // Ctrl with the page keys turns the pages the grid is on.
    if (!dataSet || shift.Alt || (shift.Ctrl && (key == Key::PageUp || key == Key::PageDown)))
        return;
    switch (key) {
    case Key::Up:
        dataSet->Prior();
        break;
    case Key::Down:
        dataSet->Next();
        break;
    case Key::PageUp:
        dataSet->MoveBy(-m_visibleRows);
        break;
    case Key::PageDown:
        dataSet->MoveBy(m_visibleRows);
        break;
    case Key::Home:
        dataSet->First();
        break;
    case Key::End:
        dataSet->Last();
        break;
    case Key::Left:
        SetSelectedIndex(m_selectedIndex - 1);
        break;
    case Key::Right:
        SetSelectedIndex(m_selectedIndex + 1);
        break;
    default:
        return;
    }
    key = 0;
}

void DBGrid::CellClick(int row, int columnIndex) {
    Column& column = m_columns.Item(columnIndex);
    SetSelectedIndex(columnIndex);
    SetCurrentRow(row);
    if (OnCellClick)
        OnCellClick(column);
}

void DBGrid::TitleClick(int columnIndex) {
    Column& column = m_columns.Item(columnIndex);
    if (OnTitleClick)
        OnTitleClick(column);
}

void DBGrid::DataChanged(data::DataSetChange) {
    data::DataSource* source = DataSource();
    data::DataSet* dataSet = source ? source->GetDataSet() : nullptr;
    if (dataSet && dataSet->ControlsDisabled())
        return;
    KeepCurrentRowVisible();
    ++m_dataRepaints;
    Notify(Property::Data);
}

void DBGrid::KeepCurrentRowVisible() {
    int row = CurrentRow();
    if (row < 0)
        m_topRow = 0;
    else if (row < m_topRow)
        m_topRow = row;
    else if (row >= m_topRow + m_visibleRows)
        m_topRow = row - m_visibleRows + 1;
}

} // namespace ui
