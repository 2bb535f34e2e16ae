#include "qt/PickerDialog.h"

#include "data/DataSet.h"
#include "data/PaintedRowScope.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace host {

PickerDialog::PickerDialog(const ui::PickRequest& request, const std::vector<int>* marked, QWidget* parent)
    : QDialog(parent), m_multi(marked != nullptr), m_filter(new QLineEdit(this)),
      m_table(new QTableWidget(this)) {
    setWindowTitle(QString::fromStdString(request.Title));
    setModal(true);
    auto* layout = new QVBoxLayout(this); // owned by the dialog, as are the widgets below
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    m_filter->setPlaceholderText(QStringLiteral("Filtrar"));
    layout->addWidget(m_filter);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    Fill(request, marked);
    QObject::connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) { Filter(text); });
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QObject::connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!m_multi)
            accept();
    });
    resize(520, 360);
}

void PickerDialog::Fill(const ui::PickRequest& request, const std::vector<int>* marked) {
    data::DataSet* dataSet = request.DataSet;
    int rows = dataSet ? dataSet->RecordCount() : 0;
    m_table->setColumnCount(static_cast<int>(request.Columns.size()));
    m_table->setRowCount(rows);
    QStringList titles;
    for (const std::string& name : request.Columns) {
        data::Field* field = dataSet ? dataSet->FindField(name) : nullptr;
        titles << QString::fromStdString(field ? field->DisplayLabel() : name);
    }
    m_table->setHorizontalHeaderLabels(titles);
    for (int row = 0; row < rows; ++row) {
        data::PaintedRowScope painted(*dataSet, row);
        for (int column = 0; column < m_table->columnCount(); ++column) {
            data::Field* field = dataSet->FindField(request.Columns[static_cast<std::size_t>(column)]);
            auto* item = new QTableWidgetItem(
                QString::fromStdString(field ? field->DisplayText() : "")); // owned by the table
            if (m_multi && column == 0) {
                bool on = std::find(marked->begin(), marked->end(), row) != marked->end();
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
            }
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
    if (rows > 0)
        m_table->selectRow(0);
}

void PickerDialog::Filter(const QString& text) {
    for (int row = 0; row < m_table->rowCount(); ++row) {
        bool match = text.isEmpty();
        for (int column = 0; !match && column < m_table->columnCount(); ++column)
            match = m_table->item(row, column)->text().contains(text, Qt::CaseInsensitive);
        m_table->setRowHidden(row, !match);
    }
}

std::optional<int> PickerDialog::CurrentRow() const {
    int row = m_table->currentRow();
    if (row < 0 || m_table->isRowHidden(row))
        return std::nullopt;
    return row; // the table is never sorted: its rows are the dataset's rows
}

std::vector<int> PickerDialog::MarkedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, 0) && m_table->item(row, 0)->checkState() == Qt::Checked)
            rows.push_back(row);
    return rows;
}

std::optional<int> PickerDialog::PickRow(const ui::PickRequest& request, QWidget* parent) {
    PickerDialog dialog(request, nullptr, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.CurrentRow();
}

std::optional<std::vector<int>> PickerDialog::PickRows(const ui::MultiPickRequest& request, QWidget* parent) {
    PickerDialog dialog(request, &request.Marked, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.MarkedRows();
}

} // namespace host
