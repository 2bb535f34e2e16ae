#include "TBtnPesquisa.h"

#include "Consiste.h"
#include "DataSetPicking.h"
#include "ui/Edit.h"
#include "ui/Form.h"

TBtnPesquisa::TBtnPesquisa(std::string name) : ui::SpeedButton(std::move(name)) {
    SetGlyph(ui::Glyph::Search);
}

namespace {

TBtnPesquisa* ButtonFor(const ui::Container& container, const ui::Control* edit) {
    for (ui::Control* child : container.Controls()) {
        if (auto* button = dynamic_cast<TBtnPesquisa*>(child); button && button->Associate() == edit)
            return button;
        if (auto* inner = dynamic_cast<const ui::Container*>(child))
            if (TBtnPesquisa* found = ButtonFor(*inner, edit))
                return found;
    }
    return nullptr;
}

} // namespace

bool TBtnPesquisa::SearchKey(ui::Form& form, int& key, ui::ShiftState shift) {
    if (key != ui::Key::F9 || shift != ui::ShiftState::None() || !form.ActiveControl())
        return false;
    TBtnPesquisa* button = ButtonFor(form, form.ActiveControl());
    if (!button || !button->IsShowing() || !button->IsEffectivelyEnabled())
        return false;
    key = 0;
    button->Click();
    return true;
}

void TBtnPesquisa::Click() {
    ui::SpeedButton::Click();
    if (OnBeforePesq)
        OnBeforePesq(*this);
    data::DataSet& dataSet = support::OpenedDataSetOf(m_dataSource, "TBtnPesquisa " + Name());
    if (dataSet.IsEmpty()) {
        Consiste::MensErro(m_emptyError, true);
        return;
    }
    if (support::PickOneRow(dataSet, m_title) && OnAfterPesq)
        OnAfterPesq(*this);
}
