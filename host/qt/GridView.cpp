#include "qt/GridView.h"

#include "ui/DBGrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

namespace host {

GridView::GridView(ui::DBGrid& grid, QTableView& table)
    : ControlView(grid, table), m_grid(grid), m_table(table), m_model(grid), m_delegate(grid),
      m_resizeWatcher([this](QObject&, QEvent& event) {
          if (event.type() == QEvent::Resize)
              Resized();
          return false;
      }) {
    table.setModel(&m_model);
    table.setItemDelegate(&m_delegate);
    table.setSelectionMode(QAbstractItemView::NoSelection);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.verticalHeader()->setVisible(false);
    table.verticalHeader()->setMinimumSectionSize(ui::DBGrid::RowHeight);
    table.verticalHeader()->setDefaultSectionSize(ui::DBGrid::RowHeight);
    // Titles get the whole column width but for a small padding, as the forms were laid out.
    table.horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { padding: 0px %1px; }").arg(GridTableModel::TitlePadding));
    // Columns keep the widths the screen gives them, down to the narrow check column.
    table.horizontalHeader()->setMinimumSectionSize(1);
    table.horizontalHeader()->setSectionsClickable(true);
    table.horizontalHeader()->setHighlightSections(false);
    table.setShowGrid(true);
    table.setFocusPolicy(Qt::StrongFocus);
    QObject::connect(&table, &QTableView::clicked, &Context(), [this](const QModelIndex& index) {
        if (index.row() < m_grid.RowCount())
            Actions().ClickCell(m_grid, index.row(), index.column());
        else
            ShowCurrentRow();
    });
    QObject::connect(table.horizontalHeader(), &QHeaderView::sectionClicked, &Context(),
                     [this](int column) { Actions().ClickTitle(m_grid, column); });
    table.viewport()->installEventFilter(&m_resizeWatcher);
}

GridView::~GridView() {
    m_table.setItemDelegate(nullptr);
    m_table.setModel(nullptr);
}

void GridView::Detach() {
    ControlView::Detach();
    m_delegate.Detach();
    m_model.Detach();
}

void GridView::Apply(ui::Property property) {
    switch (property) {
    case ui::Property::Columns:
    case ui::Property::DataSource:
        m_model.Refresh();
        ApplyColumns();
        ShowCurrentRow();
        break;
    case ui::Property::Data:
        m_model.Refresh();
        ShowCurrentRow();
        m_table.viewport()->update();
        break;
    default:
        ControlView::Apply(property);
    }
}

void GridView::ApplyColumns() {
    const ui::DBGridColumns& columns = m_grid.Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        m_table.setColumnWidth(i, columns[i].Width());
        m_table.setColumnHidden(i, !columns[i].Visible());
    }
    m_table.horizontalHeader()->setVisible(m_grid.Options().ShowTitles);
}

void GridView::ShowCurrentRow() {
    int row = m_grid.CurrentRow();
    if (row < 0 || m_grid.Columns().Count() == 0)
        return;
    QModelIndex index = m_model.index(row, m_grid.SelectedIndex());
    m_table.selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_table.scrollTo(index);
}

void GridView::Resized() {
    if (!IsDetached())
        m_grid.SetVisibleRowCount(m_table.viewport()->height() / ui::DBGrid::RowHeight);
}

} // namespace host
