#pragma once

#include "qt/ControlView.h"
#include "qt/EventWatcher.h"
#include "qt/GridCellDelegate.h"
#include "qt/GridTableModel.h"

class QTableView;

namespace ui {
class DBGrid;
}

namespace host {

// A data grid as a table view: the grid's columns and titles, the screen's cell painting, the
// current row following the dataset's cursor; clicks, title clicks and keys go to the grid.
class GridView : public ControlView {
public:
    GridView(ui::DBGrid& grid, QTableView& table);
    ~GridView() override;

    void Detach() override;

protected:
    void Apply(ui::Property property) override;

private:
    void ApplyColumns();
    void ShowCurrentRow();
    void Resized();

    ui::DBGrid& m_grid;
    QTableView& m_table;
    GridTableModel m_model;
    GridCellDelegate m_delegate;
    EventWatcher m_resizeWatcher;
};

} // namespace host
