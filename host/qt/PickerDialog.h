#pragma once

#include "ui/Platform.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLineEdit;
class QTableWidget;

namespace host {

// A list of a dataset's rows to choose from: the requested fields as columns, a line that keeps
// only the rows containing what is typed, and for several rows a check box on each row, the
// rows already marked checked when the list opens.
class PickerDialog : public QDialog {
public:
    PickerDialog(const ui::PickRequest& request, const std::vector<int>* marked, QWidget* parent);

    // The chosen row (single list), or nullopt when cancelled.
    static std::optional<int> PickRow(const ui::PickRequest& request, QWidget* parent);
    // The marked rows in dataset order, or nullopt when cancelled.
    static std::optional<std::vector<int>> PickRows(const ui::MultiPickRequest& request, QWidget* parent);

    std::optional<int> CurrentRow() const;
    std::vector<int> MarkedRows() const;
    // Keeps the rows whose texts contain the filter, ignoring case.
    void Filter(const QString& text);
    QTableWidget& Table() const { return *m_table; }
    QLineEdit& FilterLine() const { return *m_filter; }

private:
    void Fill(const ui::PickRequest& request, const std::vector<int>* marked);

    bool m_multi;
    QLineEdit* m_filter;
    QTableWidget* m_table;
};

} // namespace host
