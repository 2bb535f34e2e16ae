#include "ui/DBNavigator.h"

#include "data/DataSet.h"

namespace ui {

DBNavigator::DBNavigator(std::string name)
    : Control(std::move(name)), m_link([this](data::DataSetChange) { Notify(Property::Data); }) {
    SetTabStop(false);
}

void DBNavigator::SetDataSource(data::DataSource* source) {
    if (m_link.SetSource(source))
        Notify(Property::DataSource);
}

bool DBNavigator::IsButtonEnabled(NavigateButton button) const {
    data::DataSet* dataSet = m_link.ActiveDataSet();
    if (!IsEffectivelyEnabled() || !dataSet || dataSet->IsEmpty())
        return false;
    bool atFirst = dataSet->RecNo() <= 1;
    bool atLast = dataSet->RecNo() >= dataSet->RecordCount();
    switch (button) {
    case NavigateButton::First:
    case NavigateButton::Prior:
        return !atFirst;
    case NavigateButton::Next:
    case NavigateButton::Last:
        return !atLast;
    }
    return false;
}

void DBNavigator::Click(NavigateButton button) {
    if (!IsButtonEnabled(button))
        return;
    data::DataSet& dataSet = *m_link.ActiveDataSet();
    switch (button) {
    case NavigateButton::First:
        dataSet.First();
        break;
    case NavigateButton::Prior:
        dataSet.Prior();
        break;
    case NavigateButton::Next:
        dataSet.Next();
        break;
    case NavigateButton::Last:
        dataSet.Last();
        break;
    }
    if (OnNavigate)
        OnNavigate(*this, button);
}

} // namespace ui
