#include "qt/GridTableModel.h"

#include "data/DataSet.h"
#include "qt/QtColors.h"
#include "qt/QtFonts.h"
#include "ui/DBGrid.h"

#include <QApplication>
#include <QFontMetrics>

namespace host {

namespace {

Qt::Alignment ToQtAlignment(data::Alignment alignment) {
    switch (alignment) {
    case data::Alignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case data::Alignment::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case data::Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

GridTableModel::GridTableModel(ui::DBGrid& grid) : m_grid(&grid) {
    m_rows = ModelRows();
    m_columns = ModelColumns();
}

int GridTableModel::ModelRows() const {
    if (!m_grid || !m_grid->DataSet())
        return 0;
    return std::max(1, m_grid->RowCount());
}

int GridTableModel::ModelColumns() const {
    return m_grid ? m_grid->Columns().Count() : 0;
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant GridTableModel::data(const QModelIndex&, int) const {
    return {};
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_grid || orientation != Qt::Horizontal || section < 0 || section >= m_columns)
        return {};
    const ui::Column& column = m_grid->Columns().Item(section);
    const ui::ColumnTitle& title = column.Title();
    switch (role) {
    case Qt::DisplayRole:
        return QFontMetrics(ToQFont(title.Font))
            .elidedText(DisplayText(title.Font, column.DisplayTitle()), Qt::ElideRight,
                        column.Width() - 2 * TitlePadding);
    case Qt::FontRole:
        return ToQFont(title.Font);
    case Qt::ForegroundRole:
        return ToQColor(title.Font.Color, QApplication::palette());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ToQtAlignment(title.Alignment));
    default:
        return {};
    }
}

void GridTableModel::Refresh() {
    int rows = ModelRows();
    int columns = ModelColumns();
    if (rows != m_rows || columns != m_columns) {
        beginResetModel();
        m_rows = rows;
        m_columns = columns;
        endResetModel();
        return;
    }
    if (m_rows > 0 && m_columns > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, m_columns - 1));
}

void GridTableModel::Detach() {
    beginResetModel();
    m_grid = nullptr;
    m_rows = 0;
    m_columns = 0;
    endResetModel();
}

} // namespace host
