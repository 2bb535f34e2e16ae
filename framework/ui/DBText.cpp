#include "ui/DBText.h"

#include "data/DataSet.h"

namespace ui {

DBText::DBText(std::string name)
    : Control(std::move(name)), m_link([this](data::DataSetChange) { Notify(Property::Data); }) {
    SetTabStop(false);
}

void DBText::SetDataSource(data::DataSource* source) {
    if (m_link.SetSource(source))
        Notify(Property::DataSource);
}

void DBText::SetDataField(const std::string& dataField) {
    Update(m_dataField, dataField, Property::DataField);
}

std::string DBText::Text() const {
    data::DataSet* dataSet = m_link.ActiveDataSet();
    if (!dataSet || dataSet->IsEmpty())
        return {};
    data::Field* field = dataSet->FindField(m_dataField);
    return field ? field->DisplayText() : std::string{};
}

} // namespace ui
