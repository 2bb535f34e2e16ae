#include "TBtnPesquisa.h"

#include "Consiste.h"
#include "DataSetPicking.h"

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
