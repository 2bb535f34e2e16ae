#pragma once

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "ui/Button.h"
#include "ui/DBGrid.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Platform.h"
#include "ui/SearchEdit.h"

#include <optional>
#include <string>
#include <vector>

namespace ui {

// The list a person picks rows from, the same window on every platform: the requested fields of
// a dataset's rows in a grid, a search line above it that keeps only the rows containing what is
// typed, and "OK" and "Cancelar". Up, Down, Page Up, Page Down, Home and End typed in the search
// line move the grid's current row, and Enter takes the highlighted row. A list of several rows
// has a mark column: the space bar in the grid, Ctrl+Space in the search line or a click on the
// mark toggles the current row's mark, and "OK" takes the marked rows.
class PickerForm : public Form {
public:
    // `marked` is null for a single-row pick, else the rows marked when the list opens.
    PickerForm(const PickRequest& request, const std::vector<int>* marked);
    ~PickerForm() override;

    // Run the list modally and release it; rows are those of the request's dataset, from 0.
    static std::optional<int> PickRow(const PickRequest& request);
    static std::optional<std::vector<int>> PickRows(const MultiPickRequest& request);

    // The row of the request's dataset the grid highlights, if any row is shown.
    std::optional<int> CurrentRow() const;
    // The marked rows, in dataset order.
    std::vector<int> MarkedRows() const;

    Label& lblPesquisa;
    SearchEdit& edtPesquisa;
    DBGrid& dbgPesquisa;
    Button& btnOk;
    Button& btnCancelar;

private:
    void ReadRows(const PickRequest& request, const std::vector<int>* marked);
    void DefineGrid(const PickRequest& request);
    void Place(int gridWidth);
    // Shows the rows containing the search text, keeping the highlighted row when it stays.
    void ShowMatchingRows();
    void ToggleMark();
    void SearchKeyDown(int& key, ShiftState shift);

    bool m_multi;
    std::vector<std::string> m_fields;
    std::vector<std::vector<std::string>> m_texts; // the shown texts of each row, per field
    std::vector<bool> m_marked;
    data::DataSet m_rows{"cdsPesquisa"};
    data::DataSource m_source{"dtsPesquisa"};
};

} // namespace ui
