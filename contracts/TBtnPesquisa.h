#pragma once

#include "ui/SpeedButton.h"

#include <string>

namespace data {
class DataSource;
}

namespace ui {
class Container;
class Edit;
class Form;
} // namespace ui

// A search tool button: a click runs OnBeforePesq, opens the source's dataset when it is
// closed, shows EmptyError when the dataset has no rows, and otherwise lets the operator pick
// one row. The dataset is left on the picked row and OnAfterPesq runs; a cancelled pick runs
// nothing more. The button does not write into its associated edit: OnAfterPesq does.
class TBtnPesquisa : public ui::SpeedButton {
public:
    // Shows the search glyph unless told otherwise.
    explicit TBtnPesquisa(std::string name = {});

    // The edit the button serves (a view places the button beside it).
    ui::Edit* Associate() const { return m_associate; }
    void SetAssociate(ui::Edit* edit) { m_associate = edit; }
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    data::DataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(data::DataSource* source) { m_dataSource = source; }
    const std::string& EmptyError() const { return m_emptyError; }
    void SetEmptyError(const std::string& text) { m_emptyError = text; }

    // Runs the search (after OnClick, when one is assigned).
    void Click() override;

    // F9 in an edit runs the search of the button associated with it, when a person could click
    // that button; true when it did. The base forms' key previews offer their keys here.
    static bool SearchKey(ui::Form& form, int& key, ui::ShiftState shift);

    NotifyEvent OnBeforePesq;
    NotifyEvent OnAfterPesq;

private:
    ui::Edit* m_associate = nullptr;
    std::string m_title;
    data::DataSource* m_dataSource = nullptr;
    std::string m_emptyError;
};
