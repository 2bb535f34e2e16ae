#include "TBtnPesquisa.h"

#include "Consiste.h"
#include "DataSetPicking.h"

TBtnPesquisa::TBtnPesquisa(std::string name) : ui::SpeedButton(std::move(name)) {
    SetGlyph(ui::Glyph::Search);
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
